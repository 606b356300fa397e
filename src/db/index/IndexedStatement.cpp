#include "db/index/IndexedStatement.h"

#include "db/AppError.h"
#include "db/jet/SqlLexer.h"

#include <algorithm>
#include <vector>

namespace {

using TokenKind = SqlToken::Kind;

// The blanks the engine itself skips between tokens.
bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

bool allBlank(QStringView s) {
    return std::all_of(s.begin(), s.end(), isBlank);
}

bool isAsciiLetters(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) {
        return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
               (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
    });
}

bool isAsciiDigits(const QString& s) {
    return std::all_of(s.begin(), s.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// Whether the token is one of the few the shapes use, written as the engine
// would read it alike: words of ASCII letters, whole numbers, a text without
// an apostrophe, "(", ")" and "=", between the engine's blanks. A word glued to
// a number reads differently there, so it fails too.
bool plain(const SqlToken& token, const SqlToken* previous) {
    if (!allBlank(token.space))
        return false;
    if (previous && previous->kind == TokenKind::Number && token.space.isEmpty() &&
        (token.kind == TokenKind::Word || token.kind == TokenKind::Number))
        return false;
    switch (token.kind) {
    case TokenKind::Word:
        return isAsciiLetters(token.text);
    case TokenKind::Number:
        return isAsciiDigits(token.text);
    case TokenKind::Text:
        return !QStringView(token.text).mid(1, token.text.size() - 2).contains(QLatin1Char('\''));
    case TokenKind::Open:
    case TokenKind::Close:
        return true;
    case TokenKind::Operator:
        return token.text == QLatin1String("=");
    default:
        return false;
    }
}

std::optional<std::vector<SqlToken>> tokenize(const QString& s) {
    std::vector<SqlToken> tokens;
    try {
        tokens = SqlLexer::tokenize(s);
    } catch (const AppError&) {
        return std::nullopt; // a literal left open
    }
    for (size_t i = 0; i < tokens.size(); ++i)
        if (!plain(tokens[i], i ? &tokens[i - 1] : nullptr))
            return std::nullopt;
    // The lexer keeps no blanks after the last token.
    if (!tokens.empty() && !allBlank(QStringView(s).mid(tokens.back().at + tokens.back().text.size())))
        return std::nullopt;
    return tokens;
}

class Reader {
public:
    explicit Reader(const std::vector<SqlToken>& tokens) : m_tokens(tokens) {}

    bool word(const char* expected) {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != TokenKind::Word ||
            m_tokens[m_at].text.compare(QLatin1String(expected), Qt::CaseInsensitive) != 0)
            return false;
        ++m_at;
        return true;
    }
    bool peekWord(const char* expected) const {
        return m_at < m_tokens.size() && m_tokens[m_at].kind == TokenKind::Word &&
               m_tokens[m_at].text.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
    }
    bool symbol(TokenKind kind, const char* text) {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != kind ||
            m_tokens[m_at].text != QLatin1String(text))
            return false;
        ++m_at;
        return true;
    }
    std::optional<qint64> number() {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != TokenKind::Number)
            return std::nullopt;
        bool ok = false;
        const qint64 value = m_tokens[m_at].text.toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        ++m_at;
        return value;
    }
    std::optional<QString> text() {
        if (m_at >= m_tokens.size() || m_tokens[m_at].kind != TokenKind::Text)
            return std::nullopt;
        return SqlLexer::textValue(m_tokens[m_at++]);
    }
    bool atEnd() const { return m_at == m_tokens.size(); }

private:
    const std::vector<SqlToken>& m_tokens;
    size_t m_at = 0;
};

} // namespace

std::optional<IndexedStatement> IndexedStatement::parse(const QString& jetSql) {
    const std::optional<std::vector<SqlToken>> tokens = tokenize(jetSql);
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
    if (statement.top >= 0 || !r.word("LEN") || !r.symbol(TokenKind::Open, "(") || !r.word("Wyraz") ||
        !r.symbol(TokenKind::Close, ")") || !r.symbol(TokenKind::Operator, "="))
        return std::nullopt;
    const std::optional<qint64> length = r.number();
    if (!length || !r.atEnd())
        return std::nullopt;
    statement.kind = Kind::Length;
    statement.length = *length;
    return statement;
}
