#pragma once

#include <QStringList>

struct sqlite3;

// The native dictionary file: an SQLite 3 database (kept under the ".mdb" name
// the dialogs offer) with the two tables the program checks. Text columns use
// the POLISH collation: case-insensitive with Polish letters folded, ordered
// in Polish alphabetical order. Every connection must register it before use.
namespace NativeSchema {

// CREATE statements for WYRAZY, OPISY and their indexes, in order.
QStringList createStatements();

// Registers the POLISH collation on a freshly opened handle.
void registerCollation(sqlite3* db);

// Compares two UTF-16 texts as the POLISH collation does (<0, 0, >0).
int compare(const QString& a, const QString& b);

// The same comparison always through ICU (no fast path); for tests of the fast path.
int compareIcu(const QString& a, const QString& b);

} // namespace NativeSchema
