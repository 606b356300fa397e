#include "db/jet/SqlLexer.h"

#include "db/ProviderErrors.h"

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
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

std::vector<SqlToken> tokenize(const QString& s) {
    using Kind = SqlToken::Kind;
    std::vector<SqlToken> tokens;
    QString space;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        const qsizetype start = i;
        Kind kind = Kind::Operator;
        QString text;
        if (c.isSpace()) {
            while (i < s.size() && s[i].isSpace())
                ++i;
            space += s.mid(start, i - start);
            continue;
        }
        if (c == QLatin1Char('\'')) {
            readDelimited(s, i, QLatin1Char('\''), true, "tekst");
            kind = Kind::Text;
            text = s.mid(start, i - start);
        } else if (c == QLatin1Char('"')) {
            kind = Kind::Quoted;
            text = readDelimited(s, i, QLatin1Char('"'), true, "tekst");
        } else if (c == QLatin1Char('[')) {
            kind = Kind::Name;
            text = readDelimited(s, i, QLatin1Char(']'), false, "nawias [");
        } else if (c == QLatin1Char('`')) {
            kind = Kind::Name;
            text = readDelimited(s, i, QLatin1Char('`'), false, "cudzysłów `");
        } else if (c == QLatin1Char('#')) {
            kind = Kind::Date;
            text = readDelimited(s, i, QLatin1Char('#'), false, "zapis daty #");
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < s.size() && s[i + 1].isDigit())) {
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
        } else if (isWordChar(c)) {
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
            case '<':
                if (i < s.size() && (s[i] == QLatin1Char('>') || s[i] == QLatin1Char('=')))
                    ++i;
                break;
            case '>':
                if (i < s.size() && s[i] == QLatin1Char('='))
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
