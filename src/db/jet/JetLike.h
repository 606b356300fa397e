#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// A compiled LIKE pattern as the dictionary's SQL understands it: "%" any run,
// "_" one character, "[abc]" / "[a-z]" one of a set, "[!abc]" none of a set.
// Letters compare case-insensitively with the Polish letters folded (ż = Ż,
// z ≠ ż). Compile once per statement, then match any number of texts without
// allocating.
class JetLike {
public:
    // Throws AppError for a malformed pattern (an unclosed "[").
    explicit JetLike(QStringView pattern);

    bool matches(const char* utf8, qsizetype bytes) const;
    bool matches(QStringView text) const;

    // True when the pattern has no "%": every match has exactly fixedLength() characters.
    bool hasFixedLength() const { return !m_hasRun; }
    int fixedLength() const { return m_minLength; }

    // The compiled pattern, for code that matches it its own way (the word
    // index): element i is a run ("%") or one character, which
    // elementAccepts(i, folded character) decides.
    int elementCount() const { return int(m_tokens.size()); }
    bool elementIsRun(int i) const { return m_tokens[i].kind == Kind::Run; }
    bool elementAccepts(int i, char32_t folded) const { return tokenMatches(m_tokens[i], folded); }

private:
    enum class Kind : unsigned char { Char, One, Run, Set };
    struct Token {
        Kind kind;
        bool negated = false;
        char32_t c = 0; // Char: the folded character
        int first = 0;  // Set: its ranges are m_ranges[first, first + count)
        int count = 0;
    };
    struct Range {
        char32_t low;
        char32_t high;
    };

    template <typename Cursor> bool matchWith(Cursor text) const;
    bool tokenMatches(const Token& t, char32_t folded) const;

    std::vector<Token> m_tokens;
    std::vector<Range> m_ranges;
    bool m_hasRun = false;
    int m_minLength = 0;
};
