#include "db/jet/SqlLexer.h"

#include "db/ProviderErrors.h"

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// The blanks the engine skips; any other space is a character of its own there.
bool isEngineBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The engine takes every character outside ASCII as part of a name.
bool startsEngineWord(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

bool inEngineWord(QChar c) {
    return startsEngineWord(c) || isAsciiDigit(c) || c == QLatin1Char('$');
}

// Reads a literal closed by `close`, where (with `doubling`) a doubled `close` stands for itself.
QString readDelimited(const QString& s, qsizetype& i, QChar close, bool doubling, const char* what) {
    QString inner;
    ++i;
    while (true) {
        if (i >= s.size())
            throw ProviderErrors::syntax(QStringLiteral("niezakończony %1.").arg(QString::fromUtf8(what)));
        if (s[i] == close) {
            if (doubling && i + 1 < s.size() && s[i + 1] == close) {
                inner += close;
                i += 2;
                continue;
            }
            ++i;
            return inner;
        }
        inner += s[i++];
    }
}

} // namespace

bool SqlToken::isWord(const char* word) const {
    return kind == Kind::Word && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool SqlToken::isOperator(const char* op) const {
    return kind == Kind::Operator && text == QLatin1String(op);
}

namespace SqlLexer {

std::vector<SqlToken> tokenize(const QString& s, Dialect dialect) {
    using Kind = SqlToken::Kind;
    const bool engine = dialect == Dialect::Engine;
    std::vector<SqlToken> tokens;
    QString space;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        const qsizetype start = i;
        const QChar next = i + 1 < s.size() ? s[i + 1] : QChar();
        Kind kind = Kind::Operator;
        QString text;
        if (engine ? isEngineBlank(c) : c.isSpace()) {
            while (i < s.size() && (engine ? isEngineBlank(s[i]) : s[i].isSpace()))
                ++i;
            space += s.mid(start, i - start);
            continue;
        }
        if (engine && c == QLatin1Char('-') && next == QLatin1Char('-')) {
            while (i < s.size() && s[i] != QLatin1Char('\n'))
                ++i;
            kind = Kind::Comment;
            text = s.mid(start, i - start);
        } else if (engine && c == QLatin1Char('/') && next == QLatin1Char('*')) {
            // The engine lets a block comment run to the end.
            const qsizetype close = s.indexOf(QLatin1String("*/"), i + 2);
            i = close < 0 ? s.size() : close + 2;
            kind = Kind::Comment;
            text = s.mid(start, i - start);
        } else if (engine && (c == QLatin1Char('x') || c == QLatin1Char('X')) && next == QLatin1Char('\'')) {
            ++i;
            readDelimited(s, i, QLatin1Char('\''), false, "tekst");
            kind = Kind::Blob;
            text = s.mid(start, i - start);
        } else if (c == QLatin1Char('\'')) {
            readDelimited(s, i, QLatin1Char('\''), true, "tekst");
            kind = Kind::Text;
            text = s.mid(start, i - start);
        } else if (c == QLatin1Char('"')) {
            kind = engine ? Kind::Name : Kind::Quoted;
            text = readDelimited(s, i, QLatin1Char('"'), true, "tekst");
        } else if (c == QLatin1Char('[')) {
            kind = Kind::Name;
            text = readDelimited(s, i, QLatin1Char(']'), false, "nawias [");
        } else if (c == QLatin1Char('`')) {
            kind = Kind::Name;
            text = readDelimited(s, i, QLatin1Char('`'), engine, "cudzysłów `");
        } else if (engine && (isAsciiDigit(c) || (c == QLatin1Char('.') && isAsciiDigit(next)))) {
            // Letters glued to the digits stay in the number, as the engine reads them.
            while (i < s.size() && (inEngineWord(s[i]) || s[i] == QLatin1Char('.') ||
                                    ((s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')) &&
                                     (s[i - 1] == QLatin1Char('e') || s[i - 1] == QLatin1Char('E')))))
                ++i;
            kind = Kind::Number;
            text = s.mid(start, i - start);
        } else if (engine && startsEngineWord(c)) {
            while (i < s.size() && inEngineWord(s[i]))
                ++i;
            kind = Kind::Word;
            text = s.mid(start, i - start);
        } else if (!engine && c == QLatin1Char('#')) {
            kind = Kind::Date;
            text = readDelimited(s, i, QLatin1Char('#'), false, "zapis daty #");
        } else if (!engine && (c.isDigit() || (c == QLatin1Char('.') && next.isDigit()))) {
            while (i < s.size() && (s[i].isDigit() || s[i] == QLatin1Char('.')))
                ++i;
            if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
                qsizetype j = i + 1;
                if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
                    ++j;
                if (j < s.size() && s[j].isDigit()) {
                    i = j;
                    while (i < s.size() && s[i].isDigit())
                        ++i;
                }
            }
            kind = Kind::Number;
            text = s.mid(start, i - start);
        } else if (!engine && isWordChar(c)) {
            while (i < s.size() && isWordChar(s[i]))
                ++i;
            kind = Kind::Word;
            text = s.mid(start, i - start);
        } else {
            ++i;
            switch (c.unicode()) {
            case '(':
                kind = Kind::Open;
                break;
            case ')':
                kind = Kind::Close;
                break;
            case ',':
                kind = Kind::Comma;
                break;
            case ';':
                kind = Kind::Semicolon;
                break;
            // The engine's operators are single characters to its readers here.
            case '<':
                if (!engine && i < s.size() && (s[i] == QLatin1Char('>') || s[i] == QLatin1Char('=')))
                    ++i;
                break;
            case '>':
                if (!engine && i < s.size() && s[i] == QLatin1Char('='))
                    ++i;
                break;
            default:
                break;
            }
            text = s.mid(start, i - start);
        }
        tokens.push_back({kind, text, space, start});
        space.clear();
    }
    return tokens;
}

QString textValue(const SqlToken& token) {
    QString inner = token.text.mid(1, token.text.size() - 2);
    inner.replace(QStringLiteral("''"), QStringLiteral("'"));
    return inner;
}

} // namespace SqlLexer
