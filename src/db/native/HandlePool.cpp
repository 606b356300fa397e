#include "db/native/HandlePool.h"

#include "db/native/WriteAheadLog.h"

#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

#include <deque>
#include <mutex>

namespace {

// A search and the window's own connection, with room for one more file.
constexpr std::size_t kKept = 4;

// Closes a handle for good when the program lets go of its files (at exit,
// or when told to); the last one of a file opened for writing puts the file
// back into the rollback mode. Handles that are merely replaced are closed
// plainly, so a file in use is not switched back and forth.
void closeHandle(sqlite3* db, bool readOnly) {
    if (!readOnly)
        WriteAheadLog::leave(db);
    sqlite3_close_v2(db);
}

struct Idle {
    QString path;
    bool readOnly = false;
    HandlePool::FileState state;
    sqlite3* db = nullptr;
};

struct Pool {
    std::mutex mutex;
    std::deque<Idle> idle; // oldest first

    // Closed properly at exit, so a file in write-ahead mode is checkpointed.
    ~Pool() {
        for (const Idle& i : idle)
            closeHandle(i.db, i.readOnly);
    }
};

Pool& pool() {
    static Pool p;
    return p;
}

} // namespace

HandlePool::FileState HandlePool::FileState::of(const QString& absolutePath) {
    FileState s;
    struct stat st {};
    if (::stat(QFile::encodeName(absolutePath).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return s;
    s.valid = true;
    s.device = quint64(st.st_dev);
    s.inode = quint64(st.st_ino);
    s.size = qint64(st.st_size);
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

sqlite3* HandlePool::take(const QString& absolutePath, bool readOnly, FileState& state) {
    Pool& p = pool();
    std::unique_lock lock(p.mutex);
    for (auto it = p.idle.rbegin(); it != p.idle.rend(); ++it) {
        if (it->readOnly != readOnly || it->path != absolutePath)
            continue;
        const Idle found = *it;
        p.idle.erase(std::next(it).base());
        lock.unlock();
        state = FileState::of(absolutePath);
        if (found.state.valid && state == found.state)
            return found.db;
        // The file changed or went away: this handle is not what a new open would give.
        sqlite3_close_v2(found.db);
        return nullptr;
    }
    return nullptr;
}

void HandlePool::giveBack(const QString& absolutePath, bool readOnly, const FileState& state, sqlite3* db) {
    if (!db)
        return;
    // Whether the file changed meanwhile is checked when the handle is taken.
    const bool fit = state.valid && sqlite3_next_stmt(db, nullptr) == nullptr && sqlite3_get_autocommit(db);
    if (!fit) {
        closeHandle(db, readOnly);
        return;
    }
    Idle dropped;
    {
        Pool& p = pool();
        std::lock_guard lock(p.mutex);
        p.idle.push_back({absolutePath, readOnly, state, db});
        if (p.idle.size() > kKept) {
            dropped = p.idle.front();
            p.idle.pop_front();
        }
    }
    if (dropped.db)
        sqlite3_close_v2(dropped.db);
}

void HandlePool::clear() {
    std::deque<Idle> idle;
    {
        Pool& p = pool();
        std::lock_guard lock(p.mutex);
        idle.swap(p.idle);
    }
    for (const Idle& i : idle)
        closeHandle(i.db, i.readOnly);
}

int HandlePool::idleCount() {
    Pool& p = pool();
    std::lock_guard lock(p.mutex);
    return int(p.idle.size());
}
