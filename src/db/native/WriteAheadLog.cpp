#include "db/native/WriteAheadLog.h"

#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// Plain stat: this also runs while the program's statics are torn down.
bool permitsWriting(const char* name) {
    struct stat st {};
    return ::stat(name, &st) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

bool permitsWriting(const QString& path) {
    return permitsWriting(QFile::encodeName(path).constData());
}

// A handle that may change its file: opened for writing, on a file meant to be written.
bool mayWrite(sqlite3* db) {
    if (!db || sqlite3_db_readonly(db, "main") != 0)
        return false;
    const char* name = sqlite3_db_filename(db, "main");
    return name && *name && permitsWriting(name);
}

} // namespace

void WriteAheadLog::enter(sqlite3* db, const QString& path) {
    if (!db || sqlite3_db_readonly(db, "main") != 0 || !permitsWriting(path))
        return;
    if (sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) != SQLITE_OK)
        return;
    // The log file is made by the first read in the new mode: made now, the
    // file's signature taken after the open stays what the next reads find.
    sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

void WriteAheadLog::settle(sqlite3* db) {
    if (!mayWrite(db))
        return;
    // Nothing to do (and no waiting) outside write-ahead mode or with an empty log.
    sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

void WriteAheadLog::leave(sqlite3* db) {
    if (!mayWrite(db))
        return;
    // The handle is closing: its guards against statements through the
    // provider and its patience with other handles are no longer needed. With
    // another handle open the switch fails at once, and that one does it later.
    sqlite3_set_authorizer(db, nullptr, nullptr);
    sqlite3_busy_timeout(db, 0);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
}

bool WriteAheadLog::isWriteAhead(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Header bytes 18 and 19: the file format's write and read versions, 2 in write-ahead mode.
    const QByteArray header = file.read(20);
    return header.size() == 20 && header.at(18) == 2 && header.at(19) == 2;
}

void WriteAheadLog::toRollback(const QString& path) {
    if (!isWriteAhead(path) || !permitsWriting(path))
        return;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK)
        sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
}
