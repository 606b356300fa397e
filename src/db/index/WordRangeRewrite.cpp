#include "db/index/WordRangeRewrite.h"

#include "db/AppError.h"
#include "db/index/WordIndex.h"
#include "db/index/WordIndexCache.h"
#include "db/jet/JetLike.h"
#include "db/jet/SqlLexer.h"
#include "db/native/DatabaseHandle.h"
#include "db/text/SqlQuote.h"

#include <QHash>

#include <sqlite3.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

using Kind = SqlToken::Kind;

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\f');
}

// Names compare as the engine compares them: ASCII letters without case.
bool sameChar(char16_t x, char16_t y) {
    return x == y || (x < 0x80 && y < 0x80 && QChar::toLower(x) == QChar::toLower(y));
}

bool sameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (!sameChar(a[i].unicode(), b[i].unicode()))
            return false;
    return true;
}

bool sameName(QStringView a, const char* ascii) {
    qsizetype i = 0;
    for (; ascii[i]; ++i)
        if (i >= a.size() || !sameChar(a[i].unicode(), char16_t(ascii[i])))
            return false;
    return i == a.size();
}

// The engine's tokens; none when a literal is left open or a comment could
// hide what follows from a reader this simple.
std::optional<std::vector<SqlToken>> tokenize(const QString& s) {
    try {
        std::vector<SqlToken> tokens = SqlLexer::tokenize(s, SqlLexer::Dialect::Engine);
        if (std::any_of(tokens.begin(), tokens.end(),
                        [](const SqlToken& t) { return t.kind == Kind::Comment; }))
            return std::nullopt;
        return tokens;
    } catch (const AppError&) {
        return std::nullopt;
    }
}

bool is(const SqlToken& t, const char* word) {
    return t.kind == Kind::Word && sameName(t.text, word);
}

bool nameIn(QStringView name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return sameName(name, n); });
}

bool isAny(const SqlToken& t, std::initializer_list<const char*> words) {
    return t.kind == Kind::Word && nameIn(t.text, words);
}

// Words before "(" that are not calls.
bool keywordBeforeParenthesis(const SqlToken& t) {
    return isAny(t, {"AND",  "OR",    "NOT",     "IN",     "EXISTS",   "CAST",   "IS",
                     "LIKE", "GLOB",  "BETWEEN", "WHEN",   "THEN",     "ELSE",   "CASE",
                     "ON",   "USING", "WHERE",   "SELECT", "DISTINCT", "ALL",    "FROM",
                     "BY",   "AS",    "JOIN",    "HAVING", "UNION",    "EXCEPT", "INTERSECT"});
}

// Functions that answer every row without an error (MID, CINT, CHR and the
// like refuse some arguments, SUM overflows): a row the bound skips must not
// have been the one to stop the statement.
bool neverFails(QStringView function) {
    return nameIn(function,
                  {"LEN",   "UCASE",      "LCASE",  "UPPER",    "LOWER",  "LENGTH", "NZ",  "CSTR", "STR",
                   "VAL",   "STRREVERSE", "JETCAT", "COALESCE", "IFNULL", "NULLIF", "IIF", "TRIM", "LTRIM",
                   "RTRIM", "SUBSTR",     "TYPEOF", "COUNT",    "MIN",    "MAX",    "AVG", "TOTAL"});
}

bool joinWord(const SqlToken& t) {
    return isAny(t, {"JOIN", "LEFT", "INNER", "OUTER", "CROSS", "NATURAL", "RIGHT", "FULL"});
}

bool isName(const SqlToken& t) {
    return t.kind == Kind::Name || t.kind == Kind::Word;
}

bool compiles(const QString& pattern) {
    try {
        JetLike like(pattern);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

// Whether anything in tokens [from, to) could raise an error for one row and
// not another: a call of a function outside the safe ones, a LIKE whose
// pattern is not a valid text literal, an ESCAPE, a LIMIT that is not a number.
bool mayFailOnARow(const std::vector<SqlToken>& t, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
        const SqlToken& k = t[i];
        const bool call = i + 1 < to && t[i + 1].kind == Kind::Open;
        // A quoted name before "(" is a call too, and never a keyword.
        if (k.kind == Kind::Name && call && !neverFails(k.text))
            return true;
        if (k.kind != Kind::Word)
            continue;
        if (call && !keywordBeforeParenthesis(k) && !neverFails(k.text))
            return true;
        if (is(k, "LIKE") &&
            !(i + 1 < to && t[i + 1].kind == Kind::Text && compiles(SqlLexer::textValue(t[i + 1]))))
            return true;
        if (is(k, "ESCAPE"))
            return true;
        if (isAny(k, {"LIMIT", "OFFSET"}) &&
            !(i + 1 < to && (t[i + 1].kind == Kind::Number || t[i + 1].kind == Kind::Blob)))
            return true;
    }
    return false;
}

struct TableRef {
    QString table;   // unquoted
    QString exposed; // the alias, or the table's name
};

bool isTable(sqlite3* db, const QString& table, const char* column) {
    const QByteArray name = table.toUtf8();
    return sqlite3_table_column_metadata(db, nullptr, name.constData(), column, nullptr, nullptr, nullptr,
                                         nullptr, nullptr) == SQLITE_OK;
}

// The tables of a FROM list [from, to): plain names, each with an optional
// alias, joined by commas, [LEFT|INNER|CROSS|NATURAL] JOIN with ON or USING.
// Anything else (a subquery, a join in parentheses, another schema, a table
// function, INDEXED BY, RIGHT and FULL joins) fails.
std::optional<std::vector<TableRef>> tablesOf(const std::vector<SqlToken>& t, size_t from, size_t to) {
    std::vector<TableRef> refs;
    bool expectTable = true;
    size_t i = from;
    auto clauseWord = [](const SqlToken& k) {
        return joinWord(k) || isAny(k, {"ON", "USING", "WHERE", "GROUP", "ORDER", "LIMIT", "INDEXED", "NOT",
                                        "AS", "WINDOW", "HAVING", "UNION", "EXCEPT", "INTERSECT"});
    };
    while (i < to) {
        const SqlToken& k = t[i];
        if (expectTable) {
            if (!isName(k) || (k.kind == Kind::Word && clauseWord(k)))
                return std::nullopt;
            TableRef ref{k.text, k.text};
            ++i;
            if (i < to && (t[i].isOperator(".") || t[i].kind == Kind::Open))
                return std::nullopt;
            if (i < to && is(t[i], "AS")) {
                if (++i >= to || !isName(t[i]))
                    return std::nullopt;
                ref.exposed = t[i++].text;
            } else if (i < to && isName(t[i]) && !(t[i].kind == Kind::Word && clauseWord(t[i]))) {
                ref.exposed = t[i++].text;
            }
            if (i < to && isAny(t[i], {"INDEXED", "NOT"}))
                return std::nullopt;
            refs.push_back(ref);
            expectTable = false;
        } else if (k.kind == Kind::Comma || is(k, "JOIN")) {
            expectTable = true;
            ++i;
        } else if (isAny(k, {"RIGHT", "FULL"})) {
            return std::nullopt;
        } else if (joinWord(k)) {
            ++i;
        } else if (is(k, "ON")) {
            int depth = 0;
            for (++i; i < to; ++i) {
                const SqlToken& e = t[i];
                if (depth == 0 && (e.kind == Kind::Comma || joinWord(e)))
                    break;
                if (e.kind == Kind::Open || is(e, "CASE"))
                    ++depth;
                else if ((e.kind == Kind::Close || is(e, "END")) && --depth < 0)
                    return std::nullopt;
            }
        } else if (is(k, "USING")) {
            if (++i >= to || t[i].kind != Kind::Open)
                return std::nullopt;
            while (i < to && t[i].kind != Kind::Close)
                ++i;
            if (i++ >= to)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (expectTable || refs.empty())
        return std::nullopt;
    for (size_t a = 0; a < refs.size(); ++a)
        for (size_t b = a + 1; b < refs.size(); ++b)
            if (sameName(refs[a].exposed, refs[b].exposed))
                return std::nullopt;
    return refs;
}

// One line of the engine's plan: its depth in the tree and its text.
struct PlanLine {
    int depth;
    QString detail;
    bool operator==(const PlanLine&) const = default;
};

std::optional<std::vector<PlanLine>> planOf(sqlite3* db, const QString& sql) {
    const QByteArray text = (QStringLiteral("EXPLAIN QUERY PLAN ") + sql).toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK ||
        !statement) {
        sqlite3_finalize(statement);
        return std::nullopt;
    }
    std::vector<PlanLine> plan;
    QHash<int, int> depthOf; // by line id
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const int id = sqlite3_column_int(statement, 0);
        const int parent = sqlite3_column_int(statement, 1);
        const int depth = parent == 0 ? 0 : depthOf.value(parent, -1) + 1;
        depthOf.insert(id, depth);
        plan.push_back(
            {depth, QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)))});
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return plan;
}

} // namespace

std::optional<WordRangeRewrite::Target> WordRangeRewrite::find(sqlite3* db, const QString& engineSql) {
    // Most statements that are not SELECTs (writes, some of them long) stop here.
    qsizetype start = 0;
    while (start < engineSql.size() && isBlank(engineSql[start]))
        ++start;
    if (!sameName(QStringView(engineSql).mid(start, 6), "SELECT"))
        return std::nullopt;
    const std::optional<std::vector<SqlToken>> tokens = tokenize(engineSql);
    if (!tokens || tokens->empty() || !is(tokens->front(), "SELECT"))
        return std::nullopt;
    const std::vector<SqlToken>& t = *tokens;

    // The clauses of the outermost SELECT: its FROM, its WHERE and where that ends.
    size_t from = 0;
    size_t where = 0;
    size_t whereEnd = t.size();
    int depth = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const SqlToken& k = t[i];
        if (is(k, "DISTINCT") && i + 1 < t.size() && is(t[i + 1], "FROM"))
            return std::nullopt; // IS [NOT] DISTINCT FROM
        if (k.kind == Kind::Open || is(k, "CASE")) {
            ++depth;
            continue;
        }
        if (k.kind == Kind::Close || is(k, "END")) {
            if (--depth < 0)
                return std::nullopt;
            continue;
        }
        if (depth > 0)
            continue;
        if (isAny(k, {"UNION", "EXCEPT", "INTERSECT", "VALUES"}))
            return std::nullopt;
        if (k.kind == Kind::Semicolon) {
            if (i + 1 != t.size() || where == 0)
                return std::nullopt;
            whereEnd = std::min(whereEnd, i);
        } else if (is(k, "FROM") && from == 0) {
            from = i;
        } else if (is(k, "WHERE") && from != 0 && where == 0) {
            where = i;
        } else if (isAny(k, {"GROUP", "ORDER", "LIMIT", "HAVING", "WINDOW"})) {
            if (where == 0)
                return std::nullopt;
            whereEnd = std::min(whereEnd, i);
        }
    }
    if (depth != 0 || from == 0 || where == 0 || whereEnd <= where + 1)
        return std::nullopt;
    const std::optional<std::vector<TableRef>> refs = tablesOf(t, from + 1, where);
    if (!refs || mayFailOnARow(t, from + 1, whereEnd))
        return std::nullopt;

    // The conjuncts of the WHERE: split at ANDs outside parentheses, CASE and BETWEEN.
    std::vector<std::pair<size_t, size_t>> conjuncts;
    size_t begin = where + 1;
    int betweens = 0; // each takes the next AND for itself
    depth = 0;
    for (size_t i = where + 1; i < whereEnd; ++i) {
        const SqlToken& k = t[i];
        if (k.kind == Kind::Open || is(k, "CASE"))
            ++depth;
        else if (k.kind == Kind::Close || is(k, "END"))
            --depth;
        else if (depth > 0)
            continue;
        else if (is(k, "OR"))
            return std::nullopt;
        else if (is(k, "BETWEEN"))
            ++betweens;
        else if (is(k, "AND") && betweens > 0)
            --betweens;
        else if (is(k, "AND")) {
            conjuncts.push_back({begin, i});
            begin = i + 1;
        }
    }
    conjuncts.push_back({begin, whereEnd});

    auto isWyrazy = [](const TableRef& r) { return sameName(r.table, "WYRAZY"); };
    std::optional<TableRef> bounded;
    Target target;
    for (const auto& [first, end] : conjuncts) {
        // Exactly "<column> LIKE '<text>'", so nothing around it changes its sense.
        const size_t n = end - first;
        if ((n != 3 && n != 5) || !is(t[end - 2], "LIKE") || t[end - 1].kind != Kind::Text)
            continue;
        const SqlToken& column = t[end - 3];
        if (!isName(column) || !sameName(column.text, "Wyraz"))
            continue;
        std::optional<TableRef> ref;
        if (n == 5) {
            if (!isName(t[first]) || !t[first + 1].isOperator("."))
                continue;
            for (const TableRef& r : *refs)
                if (sameName(r.exposed, t[first].text) && isWyrazy(r))
                    ref = r;
        } else {
            // A bare Wyraz is WYRAZY's only when no other table has a column of that name.
            int wyrazy = 0;
            bool others = false;
            for (const TableRef& r : *refs) {
                if (isWyrazy(r)) {
                    ++wyrazy;
                    ref = r;
                } else {
                    others |= isTable(db, r.table, "Wyraz");
                }
            }
            if (wyrazy != 1 || others)
                ref.reset();
        }
        if (!ref || (bounded && !sameName(bounded->exposed, ref->exposed)))
            continue;
        bounded = ref;
        target.patterns << SqlLexer::textValue(t[end - 1]);
    }
    if (!bounded || !isTable(db, bounded->table, "Wyraz"))
        return std::nullopt;
    // Views and the like bring plans of their own: only tables.
    for (const TableRef& r : *refs)
        if (!isTable(db, r.table, nullptr))
            return std::nullopt;
    target.table = bounded->exposed;
    target.insertAt = t[where + 1].at;
    return target;
}

QString WordRangeRewrite::withBound(const QString& engineSql, const Target& target, qint64 bound) {
    const QString term =
        QStringLiteral("%1.rowid >= %2 AND ").arg(SqlQuote::quoteName(target.table), QString::number(bound));
    return engineSql.left(target.insertAt) + term + engineSql.mid(target.insertAt);
}

QString WordRangeRewrite::apply(const std::shared_ptr<DatabaseHandle>& handle, const QString& engineSql) {
    if (!handle || !WordIndexCache::enabled())
        return engineSql;
    sqlite3* db = handle->db();
    const std::optional<Target> target = find(db, engineSql);
    if (!target)
        return engineSql;
    const std::shared_ptr<const LiveWordIndex> index = WordIndexCache::acquire(*handle);
    if (!index)
        return engineSql;
    // Every pattern must hold, so the scan may start at the latest of their first matches.
    qint64 bound = std::numeric_limits<qint64>::min();
    try {
        for (const QString& pattern : target->patterns) {
            const std::optional<qint64> b = index->rowidBound(JetLike(pattern));
            if (b)
                bound = std::max(bound, *b);
        }
    } catch (...) {
        return engineSql;
    }
    if (bound == std::numeric_limits<qint64>::min())
        return engineSql;
    const QString rewritten = withBound(engineSql, *target, bound);

    // The engine's plans must agree that only the start of the scan differs:
    // the table scanned first, in row id order, everything else alike.
    const std::optional<std::vector<PlanLine>> before = planOf(db, engineSql);
    const std::optional<std::vector<PlanLine>> after = planOf(db, rewritten);
    if (!before || !after || before->empty() || before->size() != after->size())
        return engineSql;
    if (before->front() != PlanLine{0, QStringLiteral("SCAN ") + target->table} ||
        after->front() !=
            PlanLine{0, QStringLiteral("SEARCH %1 USING INTEGER PRIMARY KEY (rowid>?)").arg(target->table)})
        return engineSql;
    if (!std::equal(before->begin() + 1, before->end(), after->begin() + 1))
        return engineSql;
    return rewritten;
}
