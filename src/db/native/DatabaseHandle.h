#pragma once

#include "db/AppError.h"
#include "db/native/HandlePool.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// One open engine handle, shared by a connection and the results read through
// it (a recordset may outlive the close of its connection). Also enforces the
// command time-out: the time the engine spends on one statement is summed over
// its steps, and a step that would pass the limit is interrupted.
class DatabaseHandle {
public:
    enum class Format { Native, Access };

    struct TimeBudget {
        std::chrono::nanoseconds limit{0}; // 0: no limit
        std::chrono::nanoseconds used{0};
    };

    // Takes ownership of `db`; `image` is the memory an Access copy was deserialised from.
    DatabaseHandle(sqlite3* db, Format format, bool readOnly, QString path,
                   std::shared_ptr<const QByteArray> image = {});
    ~DatabaseHandle();
    DatabaseHandle(const DatabaseHandle&) = delete;
    DatabaseHandle& operator=(const DatabaseHandle&) = delete;

    // A native file's handle goes back to the pool when this closes, unless a
    // statement through it wrote; `state` is the file's state when it was opened.
    void keepForReuse(const HandlePool::FileState& state) {
        m_fileState = state;
        m_reusable = true;
    }

    sqlite3* db() const { return m_db; }
    Format format() const { return m_format; }
    bool readOnly() const { return m_readOnly; }
    const QString& path() const { return m_path; }

    static TimeBudget budget(int timeoutSeconds);
    // sqlite3_step under the budget; the time spent is added to it.
    int step(sqlite3_stmt* statement, TimeBudget& budget);

    // Prepares one translated statement; throws AppError on engine refusal, on
    // text after the statement, and on writes the handle must not make.
    sqlite3_stmt* prepare(const QString& engineSql);

    // The error for a failed engine call, from the handle's last message.
    AppError lastError(int rc) const;

private:
    static int progress(void* self);

    sqlite3* m_db;
    Format m_format;
    bool m_readOnly;
    QString m_path;
    std::shared_ptr<const QByteArray> m_image;
    HandlePool::FileState m_fileState;
    bool m_reusable = false;
    TimeBudget* m_armed = nullptr;
    std::chrono::steady_clock::time_point m_stepStarted;
};
