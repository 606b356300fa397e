#include "db/index/IndexedStatement.h"

#include <vector>

namespace {

enum class Tok { Word, Number, Text, Open, Close, Equals };

struct Token {
    Tok kind;
    QString text;
};

bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The blanks the engine itself skips between tokens.
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Splits the text into the few kinds of token the shapes use; anything else
// (another character, a doubled apostrophe, a word glued to a number) fails.
std::optional<std::vector<Token>> tokenize(const QString& s) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const QChar c = s[i];
        const qsizetype start = i;
        if (isBlank(c)) {
            ++i;
        } else if (isAsciiLetter(c)) {
            while (i < n && isAsciiLetter(s[i]))
                ++i;
            if (i < n && (isAsciiDigit(s[i]) || s[i] == QLatin1Char('_') || s[i] == QLatin1Char('$') ||
                          s[i].isLetterOrNumber()))
                return std::nullopt;
            tokens.push_back({Tok::Word, s.mid(start, i - start)});
        } else if (isAsciiDigit(c)) {
            while (i < n && isAsciiDigit(s[i]))
                ++i;
            if (i < n && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('.') || s[i] == QLatin1Char('_')))
                return std::nullopt;
            tokens.push_back({Tok::Number, s.mid(start, i - start)});
        } else if (c == QLatin1Char('\'')) {
            const qsizetype close = s.indexOf(QLatin1Char('\''), i + 1);
            if (close < 0 || (close + 1 < n && s[close + 1] == QLatin1Char('\'')))
                return std::nullopt;
            tokens.push_back({Tok::Text, s.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (c == QLatin1Char('(')) {
            tokens.push_back({Tok::Open, {}});
            ++i;
        } else if (c == QLatin1Char(')')) {
            tokens.push_back({Tok::Close, {}});
            ++i;
        } else if (c == QLatin1Char('=')) {
            tokens.push_back({Tok::Equals, {}});
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

class Reader {
public:
    explicit Reader(const std::vector<Token>& tokens) : m_tokens(tokens) {}

    bool word(const char* expected) {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != Tok::Word ||
            m_tokens[m_at].text.compare(QLatin1String(expected), Qt::CaseInsensitive) != 0)
            return false;
        ++m_at;
        return true;
    }
    bool peekWord(const char* expected) const {
        return m_at < m_tokens.size() && m_tokens[m_at].kind == Tok::Word &&
               m_tokens[m_at].text.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
    }
    bool symbol(Tok kind) {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != kind)
            return false;
        ++m_at;
        return true;
    }
    std::optional<qint64> number() {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != Tok::Number)
            return std::nullopt;
        bool ok = false;
        const qint64 value = m_tokens[m_at].text.toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        ++m_at;
        return value;
    }
    std::optional<QString> text() {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != Tok::Text)
            return std::nullopt;
        return m_tokens[m_at++].text;
    }
    bool atEnd() const { return m_at == m_tokens.size(); }

private:
    const std::vector<Token>& m_tokens;
    size_t m_at = 0;
};

} // namespace

std::optional<IndexedStatement> IndexedStatement::parse(const QString& jetSql) {
    const std::optional<std::vector<Token>> tokens = tokenize(jetSql);
    if (!tokens)
        return std::nullopt;
    Reader r(*tokens);
    IndexedStatement statement;
    if (!r.word("SELECT"))
        return std::nullopt;
    if (r.peekWord("TOP")) {
        r.word("TOP");
        const std::optional<qint64> top = r.number();
        if (!top)
            return std::nullopt;
        statement.top = *top;
    }
    if (!r.word("Wyraz") || !r.word("FROM") || !r.word("WYRAZY") || !r.word("WHERE"))
        return std::nullopt;
    if (r.word("Wyraz")) {
        if (!r.word("LIKE"))
            return std::nullopt;
        const std::optional<QString> pattern = r.text();
        if (!pattern || !r.atEnd())
            return std::nullopt;
        statement.kind = Kind::Like;
        statement.pattern = *pattern;
        return statement;
    }
    // The anagram statement carries no TOP.
    if (statement.top >= 0 || !r.word("LEN") || !r.symbol(Tok::Open) || !r.word("Wyraz") ||
        !r.symbol(Tok::Close) || !r.symbol(Tok::Equals))
        return std::nullopt;
    const std::optional<qint64> length = r.number();
    if (!length || !r.atEnd())
        return std::nullopt;
    statement.kind = Kind::Length;
    statement.length = *length;
    return statement;
}
