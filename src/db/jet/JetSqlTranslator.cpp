#include "db/jet/JetSqlTranslator.h"

#include "db/ProviderErrors.h"

#include <QSet>

#include <vector>

namespace {

enum class Tok { Space, Word, Number, Text, Quoted, Name, Date, Open, Close, Semicolon, Other };

struct Token {
    Tok kind;
    QString text; // as written (for Quoted/Name/Date: the inner text, undoubled)
};

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// Reads a literal closed by `close`, where a doubled `close` stands for itself.
QString readDelimited(const QString& s, qsizetype& i, QChar close, bool doubling, const char* what) {
    QString inner;
    ++i;
    while (true) {
        if (i >= s.size())
            throw ProviderErrors::syntax(QStringLiteral("niezakończony %1.").arg(QLatin1String(what)));
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

std::vector<Token> tokenize(const QString& s) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < s.size() && s[i].isSpace())
                ++i;
            tokens.push_back({Tok::Space, s.mid(start, i - start)});
        } else if (c == QLatin1Char('\'')) {
            // Kept as written: the doubled apostrophes mean the same to the engine.
            readDelimited(s, i, QLatin1Char('\''), true, "tekst");
            tokens.push_back({Tok::Text, s.mid(start, i - start)});
        } else if (c == QLatin1Char('"')) {
            tokens.push_back({Tok::Quoted, readDelimited(s, i, QLatin1Char('"'), true, "tekst")});
        } else if (c == QLatin1Char('[')) {
            tokens.push_back({Tok::Name, readDelimited(s, i, QLatin1Char(']'), false, "nawias [")});
        } else if (c == QLatin1Char('`')) {
            tokens.push_back({Tok::Name, readDelimited(s, i, QLatin1Char('`'), false, "cudzysłów `")});
        } else if (c == QLatin1Char('#')) {
            tokens.push_back({Tok::Date, readDelimited(s, i, QLatin1Char('#'), false, "zapis daty #")});
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
            tokens.push_back({Tok::Number, s.mid(start, i - start)});
        } else if (isWordChar(c)) {
            while (i < s.size() && isWordChar(s[i]))
                ++i;
            tokens.push_back({Tok::Word, s.mid(start, i - start)});
        } else if (c == QLatin1Char('(')) {
            tokens.push_back({Tok::Open, QStringLiteral("(")});
            ++i;
        } else if (c == QLatin1Char(')')) {
            tokens.push_back({Tok::Close, QStringLiteral(")")});
            ++i;
        } else if (c == QLatin1Char(';')) {
            tokens.push_back({Tok::Semicolon, QStringLiteral(";")});
            ++i;
        } else {
            tokens.push_back({Tok::Other, QString(c)});
            ++i;
        }
    }
    return tokens;
}

bool isWord(const Token& t, const char* word) {
    return t.kind == Tok::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

QString quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString quoteText(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// Words that end an operand of "&": they bind more loosely than it (or are not
// part of an expression at all). Arithmetic binds tighter and stays inside.
bool endsOperand(const std::vector<Token>& tokens, size_t i) {
    static const QSet<QString> keywords = {
        QStringLiteral("SELECT"),      QStringLiteral("FROM"),    QStringLiteral("WHERE"),
        QStringLiteral("AND"),         QStringLiteral("OR"),      QStringLiteral("XOR"),
        QStringLiteral("EQV"),         QStringLiteral("IMP"),     QStringLiteral("NOT"),
        QStringLiteral("AS"),          QStringLiteral("ON"),      QStringLiteral("LIKE"),
        QStringLiteral("IN"),          QStringLiteral("BETWEEN"), QStringLiteral("IS"),
        QStringLiteral("CASE"),        QStringLiteral("WHEN"),    QStringLiteral("THEN"),
        QStringLiteral("ELSE"),        QStringLiteral("END"),     QStringLiteral("ORDER"),
        QStringLiteral("GROUP"),       QStringLiteral("BY"),      QStringLiteral("HAVING"),
        QStringLiteral("SET"),         QStringLiteral("VALUES"),  QStringLiteral("DISTINCT"),
        QStringLiteral("DISTINCTROW"), QStringLiteral("ALL"),     QStringLiteral("TOP"),
        QStringLiteral("UNION"),       QStringLiteral("EXCEPT"),  QStringLiteral("INTERSECT"),
        QStringLiteral("JOIN"),        QStringLiteral("LEFT"),    QStringLiteral("RIGHT"),
        QStringLiteral("INNER"),       QStringLiteral("OUTER"),   QStringLiteral("CROSS"),
        QStringLiteral("ASC"),         QStringLiteral("DESC"),    QStringLiteral("INTO"),
        QStringLiteral("UPDATE"),      QStringLiteral("DELETE"),  QStringLiteral("INSERT"),
        QStringLiteral("LIMIT"),       QStringLiteral("ESCAPE"),  QStringLiteral("PERCENT"),
    };
    const Token& t = tokens[i];
    if (t.kind == Tok::Semicolon || t.kind == Tok::Close)
        return true;
    if (t.kind == Tok::Other) {
        const QChar c = t.text.at(0);
        return c == QLatin1Char(',') || c == QLatin1Char('=') || c == QLatin1Char('<') ||
               c == QLatin1Char('>');
    }
    if (t.kind == Tok::Number) {
        // The n of "TOP n".
        size_t j = i;
        while (j > 0 && tokens[j - 1].kind == Tok::Space)
            --j;
        return j > 0 && isWord(tokens[j - 1], "TOP");
    }
    if (t.kind != Tok::Word || !keywords.contains(t.text.toUpper()))
        return false;
    // LEFT( and RIGHT( are functions, not joins.
    if (isWord(t, "LEFT") || isWord(t, "RIGHT")) {
        size_t j = i + 1;
        while (j < tokens.size() && tokens[j].kind == Tok::Space)
            ++j;
        return j >= tokens.size() || tokens[j].kind != Tok::Open;
    }
    return true;
}

// "a & b & c" becomes "JETCAT(a, b, c)", level by level of parentheses: the
// operator joins texts with Null taken as empty, after the arithmetic in its
// operands, and the engine's "||" does neither.
void rewriteConcatenation(const std::vector<Token>& in, size_t& i, std::vector<Token>& out, bool inGroup) {
    struct Item {
        std::vector<Token> tokens;
        bool boundary;
        bool ampersand;
    };
    std::vector<Item> items;
    while (i < in.size()) {
        const Token& t = in[i];
        if (t.kind == Tok::Close && inGroup)
            break;
        if (t.kind == Tok::Open) {
            Item group{{t}, false, false};
            ++i;
            rewriteConcatenation(in, i, group.tokens, true);
            if (i < in.size())
                group.tokens.push_back(in[i++]);
            items.push_back(std::move(group));
            continue;
        }
        const bool ampersand = t.kind == Tok::Other && t.text == QLatin1String("&");
        items.push_back({{t}, endsOperand(in, i), ampersand});
        ++i;
    }
    size_t k = 0;
    while (k < items.size()) {
        if (items[k].boundary) {
            out.insert(out.end(), items[k].tokens.begin(), items[k].tokens.end());
            ++k;
            continue;
        }
        size_t end = k;
        bool joins = false;
        for (; end < items.size() && !items[end].boundary; ++end)
            joins = joins || items[end].ampersand;
        // Blanks around the joined run stay outside the call.
        auto isBlank = [&items](size_t m) { return items[m].tokens.front().kind == Tok::Space; };
        size_t first = k;
        size_t last = end;
        if (joins) {
            while (first < last && isBlank(first))
                ++first;
            while (last > first && isBlank(last - 1))
                --last;
        }
        for (size_t m = k; m < first; ++m)
            out.insert(out.end(), items[m].tokens.begin(), items[m].tokens.end());
        if (joins) {
            out.push_back({Tok::Word, QStringLiteral("JETCAT")});
            out.push_back({Tok::Open, QStringLiteral("(")});
        }
        for (size_t m = first; m < last; ++m) {
            if (items[m].ampersand)
                out.push_back({Tok::Other, QStringLiteral(",")});
            else
                out.insert(out.end(), items[m].tokens.begin(), items[m].tokens.end());
        }
        if (joins)
            out.push_back({Tok::Close, QStringLiteral(")")});
        for (size_t m = last; m < end; ++m)
            out.insert(out.end(), items[m].tokens.begin(), items[m].tokens.end());
        k = end;
    }
}

// A TOP waiting for the end of its SELECT: the LIMIT goes before the ")" that
// closes its level, before a UNION at its level, or at the end of the text.
struct PendingTop {
    int depth;
    qsizetype selectAt; // where the SELECT begins in the output
    QString count;
};

class Translation {
public:
    explicit Translation(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    QString run() {
        for (m_i = 0; m_i < m_tokens.size(); ++m_i)
            step(m_tokens[m_i]);
        closeTops(0);
        return m_out;
    }

private:
    size_t nextSolid(size_t from) const {
        while (from < m_tokens.size() && m_tokens[from].kind == Tok::Space)
            ++from;
        return from;
    }

    void step(const Token& t) {
        switch (t.kind) {
        case Tok::Word:
            word(t);
            break;
        case Tok::Quoted:
            m_out += quoteText(t.text);
            break;
        case Tok::Name:
            m_out += quoteName(t.text);
            break;
        case Tok::Date:
            m_out += quoteText(t.text.trimmed());
            break;
        case Tok::Open:
            ++m_depth;
            m_out += t.text;
            break;
        case Tok::Close:
            closeTops(m_depth);
            if (m_depth > 0)
                --m_depth;
            m_out += t.text;
            break;
        case Tok::Other:
            other(t);
            break;
        default:
            m_out += t.text;
            break;
        }
    }

    void other(const Token& t) {
        const QChar c = t.text.at(0);
        // The engine would read "--" and "/*" as comments; here they are two operators.
        const size_t next = m_i + 1;
        if (next < m_tokens.size() && m_tokens[next].kind == Tok::Other &&
            ((c == QLatin1Char('-') && m_tokens[next].text == QLatin1String("-")) ||
             (c == QLatin1Char('/') && m_tokens[next].text == QLatin1String("*")))) {
            m_out += c;
            m_out += QLatin1Char(' ');
            return;
        }
        m_out += t.text;
    }

    void word(const Token& t) {
        if (isWord(t, "SELECT"))
            return select();
        if (isWord(t, "UNION") || isWord(t, "EXCEPT") || isWord(t, "INTERSECT"))
            wrapTopsBeforeCompound();
        if (isWord(t, "LEFT") || isWord(t, "RIGHT")) {
            const size_t next = nextSolid(m_i + 1);
            if (next < m_tokens.size() && m_tokens[next].kind == Tok::Open) {
                m_out += QStringLiteral("JET") + t.text.toUpper();
                return;
            }
        }
        if (isWord(t, "MOD")) {
            m_out += QLatin1Char('%');
            return;
        }
        if (isWord(t, "TRUE")) {
            m_out += QStringLiteral("(-1)");
            return;
        }
        if (isWord(t, "FALSE")) {
            m_out += QLatin1Char('0');
            return;
        }
        if (isWord(t, "DELETE"))
            return deleteStatement(t);
        m_out += t.text;
    }

    // SELECT followed by DISTINCT / ALL / DISTINCTROW and TOP n, in either order.
    void select() {
        const qsizetype selectAt = m_out.size();
        m_out += m_tokens[m_i].text;
        QString quantifier;
        QString top;
        size_t j = nextSolid(m_i + 1);
        while (j < m_tokens.size()) {
            const Token& t = m_tokens[j];
            if (isWord(t, "DISTINCT") || isWord(t, "ALL")) {
                quantifier = t.text.toUpper();
            } else if (isWord(t, "DISTINCTROW")) {
                // Distinct whole rows of a single table are all its rows.
            } else if (isWord(t, "TOP") && top.isEmpty()) {
                const size_t n = nextSolid(j + 1);
                if (n >= m_tokens.size() || m_tokens[n].kind != Tok::Number)
                    break; // a field named TOP
                bool ok = false;
                m_tokens[n].text.toLongLong(&ok);
                if (!ok)
                    throw ProviderErrors::syntax(QStringLiteral("liczba po TOP musi być całkowita."));
                top = m_tokens[n].text;
                j = n;
                const size_t percent = nextSolid(j + 1);
                if (percent < m_tokens.size() && isWord(m_tokens[percent], "PERCENT"))
                    throw ProviderErrors::unsupported(QStringLiteral("TOP ... PERCENT"));
            } else {
                break;
            }
            j = nextSolid(j + 1);
        }
        if (!quantifier.isEmpty())
            m_out += QLatin1Char(' ') + quantifier;
        if (!top.isEmpty())
            m_pending.push_back({m_depth, selectAt, top});
        // Carry on with the select list; the blanks between the modifiers are not copied.
        m_i = j - 1;
        if (j < m_tokens.size())
            m_out += QLatin1Char(' ');
    }

    void closeTops(int depth) {
        while (!m_pending.empty() && m_pending.back().depth == depth) {
            m_out += QStringLiteral(" LIMIT ") + m_pending.back().count;
            m_pending.pop_back();
        }
    }

    // "SELECT TOP 2 a FROM t UNION ...": the limit belongs to the first SELECT
    // only, so that SELECT becomes a sub-query.
    void wrapTopsBeforeCompound() {
        while (!m_pending.empty() && m_pending.back().depth == m_depth) {
            const PendingTop top = m_pending.back();
            m_pending.pop_back();
            m_out.insert(top.selectAt, QStringLiteral("SELECT * FROM ("));
            m_out += QStringLiteral(" LIMIT ") + top.count + QStringLiteral(") ");
        }
    }

    // "DELETE * FROM t" and "DELETE t.* FROM t" are "DELETE FROM t".
    void deleteStatement(const Token& t) {
        m_out += t.text;
        size_t j = nextSolid(m_i + 1);
        size_t end = j;
        if (j < m_tokens.size() && m_tokens[j].kind == Tok::Other && m_tokens[j].text == QLatin1String("*")) {
            end = j + 1;
        } else if (j + 2 < m_tokens.size() &&
                   (m_tokens[j].kind == Tok::Word || m_tokens[j].kind == Tok::Name) &&
                   m_tokens[j + 1].text == QLatin1String(".") && m_tokens[j + 2].text == QLatin1String("*")) {
            end = j + 3;
        }
        if (end != j)
            m_i = end - 1;
    }

    std::vector<Token> m_tokens;
    size_t m_i = 0;
    int m_depth = 0;
    QString m_out;
    std::vector<PendingTop> m_pending;
};

} // namespace

QString JetSqlTranslator::translate(const QString& jetSql) {
    std::vector<Token> tokens = tokenize(jetSql);
    // One statement only: after the first ";" nothing but blanks and more ";" may follow.
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != Tok::Semicolon)
            continue;
        for (size_t j = i + 1; j < tokens.size(); ++j)
            if (tokens[j].kind != Tok::Space && tokens[j].kind != Tok::Semicolon)
                throw ProviderErrors::trailingCharacters();
        tokens.resize(i);
        break;
    }
    while (!tokens.empty() && tokens.back().kind == Tok::Space)
        tokens.pop_back();
    std::vector<Token> joined;
    size_t at = 0;
    rewriteConcatenation(tokens, at, joined, false);
    return Translation(std::move(joined)).run();
}
