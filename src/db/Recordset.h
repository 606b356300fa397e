#pragma once

#include "db/RowFilter.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>
#include <optional>

class Connection;
class RecordsetImpl;

// Provider type codes of a field.
namespace FieldType {
constexpr int Integer = 3;        // 32-bit integer
constexpr int VarWChar = 202;     // variable-length text, defined size in characters
constexpr int LongVarWChar = 203; // memo
} // namespace FieldType

struct FieldInfo {
    QString name;
    int type = 0;
    int definedSize = 0;
};

// A static (read-only, forward and back) result of one SQL statement.
// A Null value is an invalid QVariant (QVariant()).
// Rows are read from the file as the recordset moves, so a result of millions
// of rows costs no memory; RecordCount reads them all once. While rows are
// still being read the file holds a read lock: close the recordset before
// writing to the same file.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Throws AppError when a table or field does not exist or the text is not valid SQL.
    void open(const QString& sql, Connection& connection);
    // A row test for the statements opened from now on (nothing: every row).
    // Only rows that pass it, or whose number is a multiple of its keepEvery,
    // are delivered; rowsSkipped() tells how many were passed over.
    void setRowFilter(std::optional<RowFilter> filter) { m_filter = std::move(filter); }
    // The statement's rows passed over by the row filter right before the
    // current row, or at EOF after the last row delivered. 0 without a filter.
    qint64 rowsSkipped() const;
    void close();
    bool isOpen() const;

    int fieldCount() const;
    FieldInfo field(int index) const;
    FieldInfo field(const QString& name) const;
    // Index of a field by name (case-insensitive), -1 when there is none.
    int fieldIndex(const QString& name) const;
    QVariant value(int index) const;
    QVariant value(const QString& name) const;
    // value(index) as text, Null as an empty text: what a search lists.
    QString text(int index) const;

    // Throws AppError on an empty result (the callers ignore it).
    void moveFirst();
    bool eof() const;
    void moveNext();
    // Reads the whole result once (rows are otherwise streamed one at a time).
    qint64 recordCount();
    // rows[field][row] from the current row on, which moves past them; count < 0
    // fetches all remaining rows. Throws AppError at EOF.
    QVector<QVector<QVariant>> getRows(qint64 count = -1);

private:
    // Throws AppError when the recordset is closed.
    RecordsetImpl& impl() const;
    // The open recordset on a current row, with a field of that number.
    RecordsetImpl& onField(int index) const;

    std::unique_ptr<RecordsetImpl> m_impl;
    std::optional<RowFilter> m_filter;
};
