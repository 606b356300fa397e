#pragma once

#include "db/RowSource.h"
#include "db/native/DatabaseHandle.h"

#include <memory>
#include <vector>

struct sqlite3_stmt;

// Rows straight from an engine statement, one step at a time, so a result of
// millions of rows is never held in memory. A statement that writes runs to
// its end when the source is made and yields no rows.
class SqliteRowSource : public RowSource {
public:
    // Takes a translated statement; throws AppError when the engine refuses it.
    SqliteRowSource(std::shared_ptr<DatabaseHandle> handle, const QString& engineSql, int timeoutSeconds);
    ~SqliteRowSource() override;

    int fieldCount() const override { return int(m_fields.size()); }
    FieldInfo field(int index) const override { return m_fields.at(index); }
    bool atEnd() const override { return m_atEnd; }
    void advance() override;
    QVariant value(int index) const override;
    void rewind() override;
    // Whether the statement changes data (it ran to its end when the source was made).
    bool writes() const { return m_writes; }

private:
    void stepOnce();
    void describeFields();

    std::shared_ptr<DatabaseHandle> m_handle;
    sqlite3_stmt* m_statement = nullptr;
    DatabaseHandle::TimeBudget m_budget;
    std::vector<FieldInfo> m_fields;
    bool m_atEnd = true;
    bool m_writes = false;
};
