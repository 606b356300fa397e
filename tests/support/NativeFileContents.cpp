#include "support/NativeFileContents.h"

#include "db/native/NativeDatabase.h"

#include <QFile>

#include <sqlite3.h>

#include <stdexcept>

namespace {

QString columnText(sqlite3_stmt* s, int column) {
    if (sqlite3_column_type(s, column) == SQLITE_NULL)
        return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, column)),
                             sqlite3_column_bytes(s, column));
}

template <class Row> void query(sqlite3* db, const char* sql, Row&& row) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    while (sqlite3_step(s) == SQLITE_ROW)
        row(s);
    sqlite3_finalize(s);
}

} // namespace

NativeFileContents NativeFileContents::read(const QString& path) {
    sqlite3* db = NativeDatabase::open(path, QString(), true);
    NativeFileContents contents;
    try {
        query(db, "SELECT WyrazID, Wyraz FROM WYRAZY ORDER BY WyrazID",
              [&](sqlite3_stmt* s) { contents.words.insert(sqlite3_column_int64(s, 0), columnText(s, 1)); });
        query(db, "SELECT WyrazID, Opis FROM OPISY ORDER BY rowid", [&](sqlite3_stmt* s) {
            contents.descriptions[sqlite3_column_int64(s, 0)] << columnText(s, 1);
        });
        QStringList problems;
        query(db, "PRAGMA integrity_check", [&](sqlite3_stmt* s) { problems << columnText(s, 0); });
        contents.integrity = problems.join(QLatin1Char('\n'));
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    sqlite3_close_v2(db);
    return contents;
}

qsizetype NativeFileContents::descriptionCount() const {
    qsizetype n = 0;
    for (const QStringList& list : descriptions)
        n += list.size();
    return n;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void execNative(const QString& path, const char* sql) {
    sqlite3* db = NativeDatabase::open(path, QString(), false);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error(message);
}
