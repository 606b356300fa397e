#include "db/native/SqliteRowSource.h"

#include "db/DeclaredType.h"
#include "db/ProviderErrors.h"

#include <sqlite3.h>

namespace {

// Expression columns (COUNT(*), UCASE(Wyraz), ...) have no declared type; they
// are described by the kind of value they hold on the first row.
FieldInfo describeValue(const QString& name, int engineType, sqlite3_stmt* statement, int index) {
    switch (engineType) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(statement, index);
        if (v >= INT32_MIN && v <= INT32_MAX)
            return {name, FieldType::Integer, 4};
        return {name, 20, 8};
    }
    case SQLITE_FLOAT:
        return {name, 5, 8};
    case SQLITE_BLOB:
        return {name, 205, DeclaredType::LongBinarySize};
    default:
        return {name, FieldType::VarWChar, 255};
    }
}

} // namespace

SqliteRowSource::SqliteRowSource(std::shared_ptr<DatabaseHandle> handle, const QString& engineSql,
                                 int timeoutSeconds)
    : m_handle(std::move(handle)), m_budget(DatabaseHandle::budget(timeoutSeconds)) {
    m_statement = m_handle->prepare(engineSql);
    m_writes = !sqlite3_stmt_readonly(m_statement);
    try {
        stepOnce();
        if (m_writes) {
            // Runs once, here; a write is never repeated by a rewind.
            while (!m_atEnd)
                stepOnce();
        }
        describeFields();
    } catch (...) {
        sqlite3_finalize(m_statement);
        throw;
    }
}

SqliteRowSource::~SqliteRowSource() {
    sqlite3_finalize(m_statement);
}

void SqliteRowSource::stepOnce() {
    const int rc = m_handle->step(m_statement, m_budget);
    if (rc == SQLITE_ROW) {
        m_atEnd = false;
        return;
    }
    m_atEnd = true;
    if (rc != SQLITE_DONE) {
        const AppError error = m_handle->lastError(rc);
        sqlite3_reset(m_statement);
        throw error;
    }
}

void SqliteRowSource::describeFields() {
    const int count = sqlite3_column_count(m_statement);
    m_fields.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(m_statement, i));
        const char* declared = sqlite3_column_decltype(m_statement, i);
        if (declared && *declared) {
            const DeclaredType::Field f = DeclaredType::toField(QString::fromUtf8(declared));
            m_fields.push_back({name, f.type, f.definedSize});
        } else if (!m_atEnd && !m_writes) {
            m_fields.push_back(describeValue(name, sqlite3_column_type(m_statement, i), m_statement, i));
        } else {
            m_fields.push_back({name, FieldType::VarWChar, 255});
        }
    }
}

void SqliteRowSource::advance() {
    if (m_atEnd)
        throw ProviderErrors::noCurrentRecord();
    stepOnce();
}

QVariant SqliteRowSource::value(int index) const {
    if (m_atEnd)
        throw ProviderErrors::noCurrentRecord();
    if (index < 0 || index >= int(m_fields.size()))
        throw ProviderErrors::itemNotFound(QString::number(index));
    switch (sqlite3_column_type(m_statement, index)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(m_statement, index);
        if (m_fields[index].type == 11) // Boolean
            return QVariant(v != 0);
        if (v >= INT32_MIN && v <= INT32_MAX)
            return QVariant(int(v));
        return QVariant(qlonglong(v));
    }
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_statement, index));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, index));
        return QVariant(QByteArray(data, sqlite3_column_bytes(m_statement, index)));
    }
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, index));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_statement, index)));
    }
    }
}

void SqliteRowSource::rewind() {
    if (m_writes)
        return;
    sqlite3_reset(m_statement);
    stepOnce();
}
