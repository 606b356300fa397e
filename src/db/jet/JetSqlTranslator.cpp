#include "db/jet/JetSqlTranslator.h"

#include "db/ProviderErrors.h"
#include "db/jet/SqlLexer.h"
#include "db/text/SqlQuote.h"

#include <QDateTime>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

namespace {

using SqlQuote::quoteName;
using SqlQuote::quoteText;

using Kind = SqlToken::Kind;

// What an expression gives, as far as the text tells: "+" adds numbers and
// joins anything else; a condition is 1/0 in the engine and -1/0 as a value.
enum class Type { Unknown, Number, Text, Condition };

struct Expr {
    QString lead; // the blanks before it
    QString sql;
    Type type = Type::Unknown;
    bool field = false; // a plain field reference: captioned with its name
    bool star = false;
    QString full() const { return lead + sql; }
};

// An engine function the engine cannot hold more arguments of.
constexpr int MaxJoinedArguments = 100;

// Words that end an expression (or cannot begin one).
bool isKeyword(const QString& word) {
    static const QSet<QString> keywords = {
        QStringLiteral("SELECT"),  QStringLiteral("FROM"),      QStringLiteral("WHERE"),
        QStringLiteral("AND"),     QStringLiteral("OR"),        QStringLiteral("XOR"),
        QStringLiteral("EQV"),     QStringLiteral("IMP"),       QStringLiteral("NOT"),
        QStringLiteral("AS"),      QStringLiteral("ON"),        QStringLiteral("LIKE"),
        QStringLiteral("IN"),      QStringLiteral("BETWEEN"),   QStringLiteral("IS"),
        QStringLiteral("WHEN"),    QStringLiteral("THEN"),      QStringLiteral("ELSE"),
        QStringLiteral("END"),     QStringLiteral("ORDER"),     QStringLiteral("GROUP"),
        QStringLiteral("BY"),      QStringLiteral("HAVING"),    QStringLiteral("SET"),
        QStringLiteral("VALUES"),  QStringLiteral("DISTINCT"),  QStringLiteral("DISTINCTROW"),
        QStringLiteral("ALL"),     QStringLiteral("TOP"),       QStringLiteral("UNION"),
        QStringLiteral("EXCEPT"),  QStringLiteral("INTERSECT"), QStringLiteral("JOIN"),
        QStringLiteral("LEFT"),    QStringLiteral("RIGHT"),     QStringLiteral("INNER"),
        QStringLiteral("OUTER"),   QStringLiteral("CROSS"),     QStringLiteral("ASC"),
        QStringLiteral("DESC"),    QStringLiteral("INTO"),      QStringLiteral("UPDATE"),
        QStringLiteral("DELETE"),  QStringLiteral("INSERT"),    QStringLiteral("ESCAPE"),
        QStringLiteral("PERCENT"), QStringLiteral("MOD"),       QStringLiteral("LIMIT"),
    };
    return keywords.contains(word.toUpper());
}

bool isJoinWord(const SqlToken& t) {
    for (const char* word : {"JOIN", "LEFT", "RIGHT", "INNER", "OUTER", "CROSS", "ON", "AS", "IN"})
        if (t.isWord(word))
            return true;
    return false;
}

struct FunctionName {
    const char* jet;
    const char* engine; // nullptr: the same name
    Type type;
};

// Functions whose engine name differs (the engine has its own of that name,
// or the name is a keyword there) and the type of what the known ones give.
const FunctionName kFunctionNames[] = {
    {"LEFT", "JETLEFT", Type::Text},     {"RIGHT", "JETRIGHT", Type::Text},
    {"ROUND", "JETROUND", Type::Number}, {"INT", "JETINT", Type::Number},
    {"FIX", "JETFIX", Type::Number},     {"FORMAT", "JETFORMAT", Type::Text},
    {"DATE", "JETDATE", Type::Text},     {"NOW", "JETNOW", Type::Text},
    {"YEAR", "JETYEAR", Type::Number},   {"MONTH", "JETMONTH", Type::Number},
    {"DAY", "JETDAY", Type::Number},     {"STRING", "JETSTRING", Type::Text},
    {"ABS", "JETABS", Type::Number},     {"LEN", nullptr, Type::Number},
    {"COUNT", nullptr, Type::Number},    {"SUM", nullptr, Type::Number},
    {"AVG", nullptr, Type::Number},      {"VAL", nullptr, Type::Number},
    {"CLNG", nullptr, Type::Number},     {"CINT", nullptr, Type::Number},
    {"CDBL", nullptr, Type::Number},     {"ASC", nullptr, Type::Number},
    {"INSTR", nullptr, Type::Number},    {"INSTRREV", nullptr, Type::Number},
    {"UCASE", nullptr, Type::Text},      {"LCASE", nullptr, Type::Text},
    {"MID", nullptr, Type::Text},        {"TRIM", nullptr, Type::Text},
    {"LTRIM", nullptr, Type::Text},      {"RTRIM", nullptr, Type::Text},
    {"STR", nullptr, Type::Text},        {"CSTR", nullptr, Type::Text},
    {"CHR", nullptr, Type::Text},        {"SPACE", nullptr, Type::Text},
    {"STRREVERSE", nullptr, Type::Text}, {"REPLACE", nullptr, Type::Text},
};

const FunctionName* functionName(const QString& name) {
    for (const FunctionName& f : kFunctionNames)
        if (name.compare(QLatin1String(f.jet), Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

// #date# as the dialect writes it (month first when written with "/"), as
// the engine's text form of a date.
QString dateLiteral(const QString& written) {
    const QString text = written.simplified();
    static const char* const formats[] = {
        "yyyy-MM-dd",     "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "M/d/yyyy",
        "M/d/yyyy H:m:s", "M/d/yyyy H:m",        "yyyy/M/d",         "H:m:s",
    };
    for (const char* format : formats) {
        const QString f = QLatin1String(format);
        if (f.contains(QLatin1Char('y'))) {
            const QDateTime value = QDateTime::fromString(text, f);
            if (!value.isValid())
                continue;
            if (!f.contains(QLatin1Char('H')))
                return value.date().toString(QStringLiteral("yyyy-MM-dd"));
            return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        const QTime time = QTime::fromString(text, f);
        if (time.isValid())
            return time.toString(QStringLiteral("HH:mm:ss"));
    }
    throw ProviderErrors::syntax(QStringLiteral("niepoprawna data #%1#.").arg(written));
}

class DepthGuard {
public:
    explicit DepthGuard(int& depth) : m_depth(depth) {
        if (m_depth >= JetSqlTranslator::MaxDepth)
            throw ProviderErrors::tooComplex();
        ++m_depth;
    }
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& m_depth;
};

// A SELECT of a statement, translated in parts, so that its TOP can be placed.
struct SelectCore {
    QString lead;
    QString head; // SELECT [DISTINCT]
    QString list;
    QString rest; // FROM ... HAVING
    QString top;  // the n of TOP n, empty without
    bool percent = false;
    // The select list's names for expressions, by upper-case name: an ORDER BY
    // may name them, where the ranking of tied rows cannot.
    QHash<QString, QString> named;
    QString body() const { return head + list + rest; }
};

class Translator {
public:
    explicit Translator(std::vector<SqlToken> tokens) : m_t(std::move(tokens)) {}

    QString run() {
        QString out = m_t.empty() ? QString() : statement();
        bool semicolon = false;
        while (m_at < m_t.size()) {
            if (m_t[m_at].kind == Kind::Semicolon) {
                semicolon = true;
                ++m_at;
                continue;
            }
            if (semicolon)
                throw ProviderErrors::trailingCharacters();
            unexpected();
        }
        return out;
    }

private:
    const SqlToken* peek(size_t ahead = 0) const {
        return m_at + ahead < m_t.size() ? &m_t[m_at + ahead] : nullptr;
    }
    bool atWord(const char* word, size_t ahead = 0) const {
        const SqlToken* t = peek(ahead);
        return t && t->isWord(word);
    }
    bool atKind(Kind kind, size_t ahead = 0) const {
        const SqlToken* t = peek(ahead);
        return t && t->kind == kind;
    }
    bool atOperator(const char* op) const {
        const SqlToken* t = peek();
        return t && t->isOperator(op);
    }
    const SqlToken& take() { return m_t[m_at++]; }
    // A token copied as written, with the blanks before it.
    QString copy() {
        const SqlToken& t = take();
        return t.space + t.text;
    }

    [[noreturn]] void unexpected() const {
        const SqlToken* t = peek();
        if (!t)
            throw ProviderErrors::syntax(QStringLiteral("instrukcja jest niepełna."));
        throw ProviderErrors::syntax(QStringLiteral("nieoczekiwany element '%1'.").arg(t->text));
    }

    QString expectWord(const char* word) {
        if (!atWord(word))
            unexpected();
        return copy();
    }

    QString expectClose() {
        if (!atKind(Kind::Close))
            unexpected();
        return copy();
    }

    QString statement() {
        if (atWord("SELECT"))
            return compound();
        return otherStatement();
    }

    // SELECT ... [UNION [ALL] SELECT ...] [ORDER BY ...]: each TOP limits its own SELECT.
    QString compound() {
        DepthGuard guard(m_depth);
        std::vector<SelectCore> cores;
        std::vector<QString> joins;
        cores.push_back(selectCore());
        while (atWord("UNION") || atWord("EXCEPT") || atWord("INTERSECT")) {
            QString join = copy();
            if (atWord("ALL"))
                join += copy();
            joins.push_back(join);
            if (!atWord("SELECT"))
                unexpected();
            cores.push_back(selectCore());
        }
        QString orderBy;
        QString keys;
        QString rankKeys;
        if (atWord("ORDER")) {
            orderBy = copy();
            orderBy += expectWord("BY");
            keys = orderList(cores.back().named, rankKeys);
        }
        if (cores.size() == 1)
            return single(cores.front(), orderBy, keys, rankKeys);
        QString out;
        for (size_t i = 0; i < cores.size(); ++i) {
            if (i > 0)
                out += joins[i - 1];
            const SelectCore& c = cores[i];
            if (c.top.isEmpty())
                out += c.lead + c.body();
            else
                out += c.lead + QStringLiteral("SELECT * FROM (") + c.body() + QStringLiteral(" LIMIT ") +
                       rowCount(c, QStringLiteral("(") + c.body() + QLatin1Char(')')) + QLatin1Char(')');
        }
        return out + orderBy + keys;
    }

    // The n of a TOP: the number, or n percent of the rows of `rows` rounded up.
    static QString rowCount(const SelectCore& c, const QString& rows) {
        if (!c.percent)
            return c.top;
        return QStringLiteral("(SELECT (COUNT(*) * %1 + 99) / 100 FROM %2)").arg(c.top, rows);
    }

    // One SELECT with its own ORDER BY: TOP keeps the rows tied with the last one.
    QString single(const SelectCore& c, const QString& orderBy, const QString& keys,
                   const QString& rankKeys) const {
        QString out = c.lead + c.body() + orderBy + keys;
        if (c.top.isEmpty())
            return out;
        if (orderBy.isEmpty())
            return out + QStringLiteral(" LIMIT ") +
                   rowCount(c, QStringLiteral("(") + c.body() + QLatin1Char(')'));
        if (m_keys.size() == m_descending.size()) {
            const bool descending = m_descending.front();
            if (std::all_of(m_descending.begin(), m_descending.end(),
                            [&](bool d) { return d == descending; }))
                return out + QStringLiteral(" LIMIT ") + withTies(c, descending);
        }
        // Keys in both directions: the count of rows ranked no lower than the n-th row.
        return out + QStringLiteral(" LIMIT (WITH jet_top AS (SELECT") + c.list +
               QStringLiteral(", RANK() OVER (ORDER BY") + rankKeys + QStringLiteral(") AS jet_rank") +
               c.rest +
               QStringLiteral(") SELECT COUNT(*) FROM jet_top WHERE jet_rank <= (SELECT MAX(jet_rank) FROM "
                              "(SELECT jet_rank FROM jet_top ORDER BY jet_rank LIMIT ") +
               rowCount(c, QStringLiteral("jet_top")) + QStringLiteral(")))");
    }

    // "max(n, rows whose keys do not come after the n-th row's keys)": the
    // n-th row is found with a limit and the rows are counted by their keys,
    // so an index on the keys serves both.
    QString withTies(const SelectCore& c, bool descending) const {
        QString keys;
        QString names;
        for (size_t i = 0; i < m_keys.size(); ++i) {
            const QString name = QStringLiteral("jet_k%1").arg(i);
            keys += (i ? QStringLiteral(", ") : QString()) + m_keys[i] + QStringLiteral(" AS ") + name;
            names += (i ? QStringLiteral(", ") : QString()) + name;
        }
        const QString rows = QStringLiteral("(SELECT ") + keys + c.rest + QLatin1Char(')');
        const QString direction = descending ? QStringLiteral(" DESC") : QString();
        QString ordered = names;
        ordered.replace(QStringLiteral(","), direction + QLatin1Char(','));
        const QString n = rowCount(c, rows);
        const QString nth = QStringLiteral("(SELECT %1 FROM %2 ORDER BY %3%4 LIMIT 1 OFFSET %5 - 1)")
                                .arg(names, rows, ordered, direction, n);
        return QStringLiteral("max(%1, (SELECT COUNT(*) FROM %2 WHERE (%3) %4 %5))")
            .arg(n, rows, names, descending ? QStringLiteral(">=") : QStringLiteral("<="), nth);
    }

    SelectCore selectCore() {
        SelectCore c;
        const SqlToken& select = take();
        c.lead = select.space;
        c.head = select.text;
        while (const SqlToken* t = peek()) {
            if (t->isWord("DISTINCT") || t->isWord("ALL")) {
                c.head += QLatin1Char(' ') + t->text.toUpper();
                ++m_at;
            } else if (t->isWord("DISTINCTROW")) {
                // Distinct whole rows of a single table are all its rows.
                ++m_at;
            } else if (t->isWord("TOP") && c.top.isEmpty() && atKind(Kind::Number, 1)) {
                bool ok = false;
                const qint64 n = m_t[m_at + 1].text.toLongLong(&ok);
                if (!ok || n < 1)
                    throw ProviderErrors::syntax(
                        QStringLiteral("liczba po TOP musi być całkowita i dodatnia."));
                c.top = QString::number(n);
                m_at += 2;
                if (atWord("PERCENT")) {
                    if (n > 100)
                        throw ProviderErrors::syntax(
                            QStringLiteral("TOP ... PERCENT przyjmuje liczbę od 1 do 100."));
                    c.percent = true;
                    ++m_at;
                }
            } else {
                break;
            }
        }
        c.list = selectList(c.named);
        if (!c.list.front().isSpace())
            c.list.prepend(QLatin1Char(' '));
        c.rest = tableClauses();
        return c;
    }

    // Items of a select list, each unnamed expression named as the dialect names it.
    QString selectList(QHash<QString, QString>& named) {
        QString out;
        int unnamed = 0;
        while (true) {
            Expr e;
            if (atOperator("*")) {
                const SqlToken& star = take();
                e = {star.space, star.text};
                e.star = true;
            } else {
                e = value(expression());
            }
            out += e.full();
            if (atWord("AS")) {
                out += copy();
                named.insert(peek() ? peek()->text.toUpper() : QString(), e.sql);
                out += alias();
            } else if (atKind(Kind::Name) || (atKind(Kind::Word) && !isKeyword(peek()->text))) {
                named.insert(peek()->text.toUpper(), e.sql);
                out += alias();
            } else if (!e.field && !e.star) {
                out += QStringLiteral(" AS \"Expr%1\"").arg(1000 + unnamed++);
            }
            if (!atKind(Kind::Comma))
                return out;
            out += copy();
        }
    }

    QString alias() {
        const SqlToken* t = peek();
        if (!t || (t->kind != Kind::Word && t->kind != Kind::Name && t->kind != Kind::Quoted))
            unexpected();
        ++m_at;
        return t->space + (t->kind == Kind::Word ? t->text : quoteName(t->text));
    }

    // FROM ..., WHERE ..., GROUP BY ..., HAVING ...
    QString tableClauses() {
        QString out;
        if (atWord("FROM")) {
            out += copy();
            out += fromList();
        }
        if (atWord("WHERE")) {
            out += copy();
            out += expression().full();
        }
        if (atWord("GROUP")) {
            out += copy();
            out += expectWord("BY");
            out += valueList();
        }
        if (atWord("HAVING")) {
            out += copy();
            out += expression().full();
        }
        return out;
    }

    QString fromList() {
        QString out;
        int level = 0;
        while (const SqlToken* t = peek()) {
            if (level == 0 && (t->kind == Kind::Close || t->kind == Kind::Semicolon))
                break;
            // Past the tables: WHERE, GROUP, ORDER, UNION, ... (and any word the dialect does not know here).
            if (t->kind == Kind::Word && isKeyword(t->text) && !isJoinWord(*t))
                break;
            if (t->kind == Kind::Open) {
                if (atWord("SELECT", 1)) {
                    out += copy();
                    out += compound();
                    out += expectClose();
                } else {
                    ++level;
                    out += copy();
                }
            } else if (t->kind == Kind::Close) {
                --level;
                out += copy();
            } else if (t->isWord("ON")) {
                out += copy();
                out += expression().full();
            } else {
                out += plainToken();
            }
        }
        return out;
    }

    // The keys as written, and (in `rankKeys`) with names of the select list
    // replaced by their expressions.
    QString orderList(const QHash<QString, QString>& named, QString& rankKeys) {
        QString out;
        std::vector<QString> rankKeyList;
        std::vector<bool> descending;
        while (true) {
            const Expr key = value(expression());
            out += key.full();
            const QString name =
                key.sql.startsWith(QLatin1Char('"')) ? key.sql.mid(1, key.sql.size() - 2) : key.sql;
            const auto expression = named.constFind(name.toUpper());
            rankKeys += key.field && expression != named.cend()
                            ? key.lead + QLatin1Char('(') + *expression + QLatin1Char(')')
                            : key.full();
            rankKeyList.push_back(key.field && expression != named.cend()
                                      ? QLatin1Char('(') + *expression + QLatin1Char(')')
                                      : key.sql);
            descending.push_back(atWord("DESC"));
            if (atWord("ASC") || atWord("DESC")) {
                const QString direction = copy();
                out += direction;
                rankKeys += direction;
            }
            if (!atKind(Kind::Comma)) {
                m_keys = std::move(rankKeyList);
                m_descending = std::move(descending);
                return out;
            }
            out += copy();
            rankKeys += QLatin1Char(',');
        }
    }

    QString valueList() {
        QString out = value(expression()).full();
        while (atKind(Kind::Comma)) {
            out += copy();
            out += value(expression()).full();
        }
        return out;
    }

    // A token outside any expression: names, texts and dates in the engine's form.
    QString plainToken() {
        const SqlToken& t = take();
        switch (t.kind) {
        case Kind::Name:
            return t.space + quoteName(t.text);
        case Kind::Quoted:
            return t.space + quoteText(t.text);
        case Kind::Date:
            return t.space + quoteText(dateLiteral(t.text));
        default:
            return t.space + t.text;
        }
    }

    // INSERT, UPDATE, DELETE: copied, with their conditions and values translated.
    QString otherStatement() {
        QString out;
        while (const SqlToken* t = peek()) {
            if (t->kind == Kind::Semicolon)
                break;
            if (t->isWord("SELECT")) {
                out += compound();
            } else if (t->isWord("DELETE")) {
                out += copy();
                deleteStar();
            } else if (t->isWord("WHERE") || t->isWord("SET")) {
                out += copy();
                out += t->isWord("SET") ? conditionList() : expression().full();
            } else if (t->isWord("VALUES")) {
                out += copy();
                out += valueList();
            } else if (t->kind == Kind::Open) {
                out += copy();
                if (atWord("SELECT"))
                    out += compound();
                else
                    while (peek() && !atKind(Kind::Close))
                        out += plainToken();
                out += expectClose();
            } else {
                out += plainToken();
            }
        }
        return out;
    }

    // "a = 1, b = 2" of an UPDATE: kept as conditions, which read as assignments there.
    QString conditionList() {
        QString out = expression().full();
        while (atKind(Kind::Comma)) {
            out += copy();
            out += expression().full();
        }
        return out;
    }

    // "DELETE * FROM t" and "DELETE t.* FROM t" are "DELETE FROM t".
    void deleteStar() {
        if (atOperator("*")) {
            ++m_at;
        } else if (m_at + 2 < m_t.size() && (atKind(Kind::Word) || atKind(Kind::Name)) &&
                   m_t[m_at + 1].isOperator(".") && m_t[m_at + 2].isOperator("*") && !atWord("FROM")) {
            m_at += 3;
        }
    }

    // ---- expressions, loosest first ----

    static Expr value(Expr e) {
        if (e.type == Type::Condition) {
            e.sql = QStringLiteral("(-(") + e.sql + QStringLiteral("))");
            e.type = Type::Number;
        }
        return e;
    }

    // A condition where the engine's truth is what counts (WHERE, ON, HAVING, an
    // operand of And/Or/Not); value() turns it into the dialect's -1/0.
    Expr expression() {
        DepthGuard guard(m_depth);
        return implication();
    }

    Expr logical(Expr (Translator::*operand)(), const char* word,
                 QString (*combine)(const QString&, const QString&)) {
        Expr l = (this->*operand)();
        while (atWord(word)) {
            const SqlToken& op = take();
            const Expr r = (this->*operand)();
            if (combine)
                l.sql = combine(l.sql, r.sql);
            else
                l.sql += op.space + op.text + r.full();
            l.type = Type::Condition;
            l.field = false;
        }
        return l;
    }

    Expr implication() {
        return logical(&Translator::equivalence, "IMP", [](const QString& a, const QString& b) {
            return QStringLiteral("(NOT ((%1) <> 0) OR ((%2) <> 0))").arg(a, b);
        });
    }
    Expr equivalence() {
        return logical(&Translator::exclusive, "EQV", [](const QString& a, const QString& b) {
            return QStringLiteral("(((%1) <> 0) = ((%2) <> 0))").arg(a, b);
        });
    }
    Expr exclusive() {
        return logical(&Translator::disjunction, "XOR", [](const QString& a, const QString& b) {
            return QStringLiteral("(((%1) <> 0) <> ((%2) <> 0))").arg(a, b);
        });
    }
    Expr disjunction() { return logical(&Translator::conjunction, "OR", nullptr); }
    Expr conjunction() { return logical(&Translator::negation, "AND", nullptr); }

    Expr negation() {
        if (!atWord("NOT"))
            return comparison();
        DepthGuard guard(m_depth);
        const SqlToken& op = take();
        const Expr operand = negation();
        return {op.space, op.text + operand.full(), Type::Condition};
    }

    Expr comparison() {
        Expr l = concatenation();
        while (const SqlToken* t = peek()) {
            QString op;
            if (t->kind == Kind::Operator &&
                (t->text == QLatin1String("=") || t->text == QLatin1String("<>") ||
                 t->text == QLatin1String("<") || t->text == QLatin1String(">") ||
                 t->text == QLatin1String("<=") || t->text == QLatin1String(">="))) {
                op = copy();
                l = condition(l, op + value(concatenation()).full());
                continue;
            }
            if (t->isWord("NOT") && (atWord("LIKE", 1) || atWord("BETWEEN", 1) || atWord("IN", 1)))
                op = copy();
            if (atWord("LIKE")) {
                op += copy();
                l = condition(l, op + value(concatenation()).full());
            } else if (atWord("BETWEEN")) {
                op += copy();
                op += value(concatenation()).full();
                op += expectWord("AND");
                l = condition(l, op + value(concatenation()).full());
            } else if (atWord("IN")) {
                op += copy();
                l = condition(l, op + inList());
            } else if (atWord("IS")) {
                op += copy();
                if (atWord("NOT"))
                    op += copy();
                l = condition(l, op + expectWord("NULL"));
            } else {
                if (!op.isEmpty())
                    unexpected();
                break;
            }
        }
        return l;
    }

    static Expr condition(const Expr& left, const QString& rest) {
        const Expr l = value(left);
        return {l.lead, l.sql + rest, Type::Condition};
    }

    QString inList() {
        if (!atKind(Kind::Open))
            unexpected();
        QString out = copy();
        if (atWord("SELECT"))
            out += compound();
        else
            out += valueList();
        return out + expectClose();
    }

    // a & b & c: one join, Null taken as an empty text.
    Expr concatenation() {
        Expr first = addition();
        if (!atOperator("&"))
            return first;
        std::vector<QString> parts{value(first).sql};
        std::vector<QString> separators;
        while (atOperator("&")) {
            const SqlToken& op = take();
            separators.push_back(op.space + QLatin1Char(','));
            parts.push_back(value(addition()).full());
        }
        // The engine takes a limited number of arguments: long runs are joined in groups.
        while (parts.size() > size_t(MaxJoinedArguments)) {
            std::vector<QString> grouped;
            std::vector<QString> groupedSeparators;
            for (size_t i = 0; i < parts.size(); i += MaxJoinedArguments) {
                QString call = QStringLiteral("JETCAT(") + parts[i];
                for (size_t j = i + 1; j < std::min(parts.size(), i + MaxJoinedArguments); ++j)
                    call += separators[j - 1] + parts[j];
                grouped.push_back(call + QLatin1Char(')'));
                if (i > 0)
                    groupedSeparators.push_back(QStringLiteral(","));
            }
            parts = std::move(grouped);
            separators = std::move(groupedSeparators);
        }
        QString sql = QStringLiteral("JETCAT(") + parts.front();
        for (size_t i = 1; i < parts.size(); ++i)
            sql += separators[i - 1] + parts[i];
        return {first.lead, sql + QLatin1Char(')'), Type::Text};
    }

    static Expr call(const char* function, const Expr& l, const Expr& r, Type type) {
        return {l.lead,
                QLatin1String(function) + QLatin1Char('(') + l.sql + QStringLiteral(", ") + r.sql +
                    QLatin1Char(')'),
                type};
    }

    // "-" and "*": the engine's own operator on numbers; a text operand must
    // read as a number, as in the dialect, which the engine does not check.
    static Expr arithmetic(const Expr& l, const SqlToken& op, const Expr& r) {
        if (l.type != Type::Number || r.type != Type::Number)
            return call(op.text == QLatin1String("-") ? "JETSUB" : "JETMUL", l, r, Type::Number);
        // "--" would begin a comment in the engine.
        const QString gap = r.full().startsWith(QLatin1Char('-')) ? QStringLiteral(" ") : QString();
        return {l.lead, l.sql + op.space + op.text + gap + r.full(), Type::Number};
    }

    Expr addition() {
        Expr l = value(modulo());
        while (atOperator("+") || atOperator("-")) {
            const SqlToken& op = take();
            const Expr r = value(modulo());
            if (op.text == QLatin1String("+") && (l.type != Type::Number || r.type != Type::Number)) {
                l = call("JETADD", l, r, Type::Unknown);
                continue;
            }
            l = arithmetic(l, op, r);
        }
        return l;
    }

    Expr modulo() {
        Expr l = value(integerDivision());
        while (atWord("MOD")) {
            ++m_at;
            l = call("JETMOD", l, value(integerDivision()), Type::Number);
        }
        return l;
    }

    Expr integerDivision() {
        Expr l = value(multiplication());
        while (atOperator("\\")) {
            ++m_at;
            l = call("JETIDIV", l, value(multiplication()), Type::Number);
        }
        return l;
    }

    Expr multiplication() {
        Expr l = value(sign());
        while (atOperator("*") || atOperator("/")) {
            const SqlToken& op = take();
            const Expr r = value(sign());
            if (op.text == QLatin1String("/"))
                l = call("JETDIV", l, r, Type::Number);
            else
                l = arithmetic(l, op, r);
        }
        return l;
    }

    Expr sign() {
        if (!atOperator("-") && !atOperator("+"))
            return power();
        DepthGuard guard(m_depth);
        const SqlToken& op = take();
        const Expr operand = value(sign());
        const QString gap = operand.full().startsWith(QLatin1Char('-')) ? QStringLiteral(" ") : QString();
        return {op.space, op.text + gap + operand.full(), Type::Number};
    }

    // "^" binds tighter than a sign before it: -2^2 is -4; a sign may follow it.
    Expr power() {
        Expr l = primary();
        while (atOperator("^")) {
            ++m_at;
            Expr r;
            if (atOperator("-") || atOperator("+")) {
                const SqlToken& op = take();
                const Expr operand = value(primary());
                r = {op.space, op.text + operand.full(), Type::Number};
            } else {
                r = value(primary());
            }
            l = call("JETPOW", value(l), r, Type::Number);
        }
        return l;
    }

    Expr primary() {
        const SqlToken* t = peek();
        if (!t)
            unexpected();
        switch (t->kind) {
        case Kind::Number:
            ++m_at;
            return {t->space, t->text, Type::Number};
        case Kind::Text:
            ++m_at;
            return {t->space, t->text, Type::Text};
        case Kind::Quoted:
            ++m_at;
            return {t->space, quoteText(t->text), Type::Text};
        case Kind::Date:
            ++m_at;
            return {t->space, quoteText(dateLiteral(t->text)), Type::Text};
        case Kind::Name:
            return atKind(Kind::Open, 1) ? functionCall() : reference();
        case Kind::Open:
            return parenthesised();
        case Kind::Word:
            break;
        default:
            unexpected();
        }
        if (t->isWord("TRUE") || t->isWord("FALSE")) {
            ++m_at;
            return {t->space, t->isWord("TRUE") ? QStringLiteral("(-1)") : QStringLiteral("0"), Type::Number};
        }
        if (t->isWord("NULL")) {
            ++m_at;
            return {t->space, t->text};
        }
        if (t->isWord("EXISTS")) {
            ++m_at;
            if (!atKind(Kind::Open))
                unexpected();
            const Expr sub = parenthesised();
            return {t->space, t->text + sub.full(), Type::Condition};
        }
        if (t->isWord("CASE"))
            return caseExpression();
        const bool call = atKind(Kind::Open, 1);
        // LEFT( and RIGHT( are functions; TOP not followed by its number is a field.
        if (isKeyword(t->text) && !(call && functionName(t->text)) && !t->isWord("TOP"))
            unexpected();
        return call ? functionCall() : reference();
    }

    // name, table.name, table.*, [name], with "!" read as ".".
    Expr reference() {
        const SqlToken& first = take();
        Expr e{first.space, first.kind == Kind::Name ? quoteName(first.text) : first.text};
        e.field = true;
        while (atOperator(".") || atOperator("!")) {
            const SqlToken* part = peek(1);
            if (!part)
                break;
            m_at += 2;
            if (part->isOperator("*")) {
                e.sql += QStringLiteral(".*");
                e.field = false;
                e.star = true;
                break;
            }
            if (part->kind != Kind::Word && part->kind != Kind::Name) {
                --m_at;
                unexpected();
            }
            e.sql += QLatin1Char('.') + (part->kind == Kind::Name ? quoteName(part->text) : part->text);
        }
        return e;
    }

    Expr parenthesised() {
        const SqlToken& open = take();
        if (atWord("SELECT")) {
            QString sql = open.text + compound();
            return {open.space, sql + expectClose()};
        }
        Expr inner = expression();
        QString sql = open.text + inner.full();
        if (atKind(Kind::Comma)) {
            sql = open.text + value(inner).full();
            while (atKind(Kind::Comma)) {
                sql += copy();
                sql += value(expression()).full();
            }
            inner.type = Type::Unknown;
        }
        return {open.space, sql + expectClose(), inner.type};
    }

    Expr functionCall() {
        const SqlToken& name = take();
        const FunctionName* known = functionName(name.text);
        if (name.isWord("IIF"))
            return iif(name);
        QString engineName = known && known->engine ? QString::fromLatin1(known->engine) : name.text;
        if (name.kind == Kind::Name)
            engineName = quoteName(engineName);
        QString sql = engineName + copy();
        if (atOperator("*")) {
            sql += copy();
        } else if (!atKind(Kind::Close)) {
            if (atWord("DISTINCT"))
                sql += copy();
            sql += valueList();
        }
        sql += expectClose();
        return {name.space, sql, known ? known->type : Type::Unknown};
    }

    // IIf(condition, then, else): the condition counts as true when not 0 and not Null.
    Expr iif(const SqlToken& name) {
        take(); // (
        const Expr test = expression();
        QString parts[2];
        for (QString& part : parts) {
            if (!atKind(Kind::Comma))
                throw ProviderErrors::syntax(QStringLiteral("funkcja IIf wymaga trzech argumentów."));
            ++m_at;
            part = value(expression()).sql;
        }
        expectClose();
        return {name.space,
                QStringLiteral("(CASE WHEN %1 THEN %2 ELSE %3 END)").arg(test.sql, parts[0], parts[1])};
    }

    Expr caseExpression() {
        const SqlToken& word = take();
        QString sql = word.text;
        const bool simple = !atWord("WHEN");
        if (simple)
            sql += value(expression()).full();
        while (atWord("WHEN")) {
            sql += copy();
            sql += simple ? value(expression()).full() : expression().full();
            sql += expectWord("THEN");
            sql += value(expression()).full();
        }
        if (atWord("ELSE")) {
            sql += copy();
            sql += value(expression()).full();
        }
        sql += expectWord("END");
        return {word.space, sql};
    }

    std::vector<SqlToken> m_t;
    size_t m_at = 0;
    // The keys of the last ORDER BY read, as the ranking of tied rows reads them.
    std::vector<QString> m_keys;
    std::vector<bool> m_descending;
    int m_depth = 0;
};

} // namespace

QString JetSqlTranslator::translate(const QString& jetSql) {
    return Translator(SqlLexer::tokenize(jetSql)).run().trimmed();
}
