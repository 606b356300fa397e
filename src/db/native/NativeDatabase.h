#pragma once

#include <QString>

struct sqlite3;

// The program's own dictionary files: SQLite 3 databases with the tables
// WYRAZY and OPISY (NativeSchema) and, when the file has a database password,
// a salted slow hash of it in the table LiteronMeta. Like the original
// database password, it guards opening the file in this program; the file
// itself is not encrypted.
namespace NativeDatabase {

// Writes an empty dictionary at `path` (with a password unless it is empty).
// Refuses an existing file; leaves nothing behind on failure. Throws AppError.
void create(const QString& path, const QString& password = QString());

// Opens a native file for direct use by the database layer: the POLISH
// collation and the SQL functions are registered and the password is checked
// (wrong or missing: AppError "Nieprawidłowe hasło."). Read-only opens never
// write to the file. The caller owns the handle (sqlite3_close_v2).
sqlite3* open(const QString& path, const QString& password, bool readOnly);

// Whether an open native file carries a database password.
bool hasPassword(sqlite3* db);

// Sets (or, with an empty text, removes) the database password of an open file.
void setPassword(sqlite3* db, const QString& password);

// True when `password` opens the file: always for a file without a password.
// A successful check of a (file hash, password) pair is remembered for the
// process, so repeated opens do not pay for the slow hash again.
bool checkPassword(sqlite3* db, const QString& password);

} // namespace NativeDatabase
