#pragma once

#include "db/RowFilter.h"
#include "db/RowSource.h"
#include "db/native/DatabaseHandle.h"

#include <QString>
#include <QStringList>

#include <memory>

struct ConnectionString;

// The open state behind a Connection.
class ConnectionImpl {
public:
    int timeout = 30;
    std::shared_ptr<DatabaseHandle> handle;

    // Opens the file the connection string names (native or Access); throws AppError.
    void open(const QString& connectionString);
    void close() { handle.reset(); }
    bool isOpen() const { return handle != nullptr; }

    // Every read of the provider starts here: one statement of the dictionary's
    // SQL in, rows out. Sources that answer particular statements faster than
    // the engine (an in-memory word index) are chosen here; the engine
    // statement is the general case.
    // With a filter only the rows that pass it (or fall on its refresh rows)
    // are delivered.
    std::unique_ptr<RowSource> openRows(const QString& jetSql, const RowFilter* filter = nullptr);
    // Runs one statement to its end; returns the number of rows changed.
    qint64 execute(const QString& jetSql);
    // Runs the statements in one transaction, rolled back when one fails.
    qint64 executeAll(const QStringList& jetSqls);

    static std::shared_ptr<DatabaseHandle> openHandle(const ConnectionString& target);

private:
    DatabaseHandle& requireOpen() const;
    // One statement; the word index follows its rows unless the caller follows
    // a whole transaction around it.
    qint64 executeOne(const QString& jetSql, bool followIndex);
};
