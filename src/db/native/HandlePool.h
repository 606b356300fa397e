#pragma once

#include <QString>

struct sqlite3;

// Engine handles of native files kept open after their connection closed.
// Every search opens a connection of its own; taking an idle handle of the
// same file spares opening the file, registering the functions and reading the
// schema again. A handle is only given out while the file is exactly as it was
// when the handle went idle (same file, size and time), and only handles that
// never wrote are kept, so a taken handle behaves like a freshly opened one.
namespace HandlePool {

// The state of a file a handle is kept for; `valid` false when it cannot be read.
struct FileState {
    bool valid = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    static FileState of(const QString& absolutePath);
    bool operator==(const FileState&) const = default;
};

// An idle handle of the file opened the same way, or nothing; `state` is the
// file's state it was checked against. The caller owns what it gets.
sqlite3* take(const QString& absolutePath, bool readOnly, FileState& state);

// Keeps an idle handle, `state` being the file's state when it was opened
// (the oldest is closed when too many are kept), or closes it when it is not
// fit to be reused: a statement or a transaction still open.
void giveBack(const QString& absolutePath, bool readOnly, const FileState& state, sqlite3* db);

// Closes every idle handle.
void clear();

// Idle handles kept now; calling it also makes the pool before a caller's own statics.
int idleCount();

} // namespace HandlePool
