#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class DatabaseHandle;
struct sqlite3;

// Free queries that keep only the rows of WYRAZY whose Wyraz is LIKE a text
// make the engine scan the whole table, though the words are in alphabetical
// order and the matches sit together. The word index knows where the first
// match is, so the scan may start there: "<table>.rowid >= n AND " goes in
// front of the outermost WHERE, only where that gives the same rows in the
// same order, which the engine's own plan confirms.
class WordRangeRewrite {
public:
    // A statement of the right shape: where the bound goes and what it depends on.
    struct Target {
        QString table;        // WYRAZY's name in the statement (its alias if it has one), unquoted
        QStringList patterns; // the texts Wyraz must be LIKE
        qsizetype insertAt = 0;
    };

    // Whether the translated statement has that shape: a single SELECT whose
    // WHERE is a chain of ANDs holding "<Wyraz of WYRAZY> LIKE '<text>'",
    // with nothing in its FROM and WHERE that could raise an error on a row
    // the bound skips. `db` tells which tables have a column Wyraz.
    static std::optional<Target> find(sqlite3* db, const QString& engineSql);

    // The statement with the bound put in.
    static QString withBound(const QString& engineSql, const Target& target, qint64 bound);

    // The statement to run in place of `engineSql`: the bound put in when the
    // word index of the file is in use and places it past the first rows, and
    // the engine plans both statements alike but for where the scan starts;
    // otherwise `engineSql` itself. Throws nothing.
    static QString apply(const std::shared_ptr<DatabaseHandle>& handle, const QString& engineSql);
};
