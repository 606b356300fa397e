#pragma once

#include "db/Recordset.h"

#include <QVariant>

// Where a recordset pulls its rows from. Positioned on the first row after it
// is made; atEnd() is true after the last row. The engine statement is one
// kind; any faster source for particular statements plugs in beside it (see
// ConnectionImpl::openRows), and the recordset does not know the difference.
class RowSource {
public:
    virtual ~RowSource() = default;

    virtual int fieldCount() const = 0;
    virtual FieldInfo field(int index) const = 0;
    virtual bool atEnd() const = 0;
    // Moves to the next row; throws AppError (e.g. the time-out).
    virtual void advance() = 0;
    // The value of a field on the current row (not at end). Null is QVariant().
    virtual QVariant value(int index) const = 0;
    // The same value as text (Null as an empty text); a source that holds its
    // values as text gives it without the detour through QVariant.
    virtual QString text(int index) const { return value(index).toString(); }
    // Back to the first row.
    virtual void rewind() = 0;
    // With a row filter: the statement's rows passed over before the current
    // row (at the end: after the last row delivered).
    virtual qint64 skippedBefore() const { return 0; }
};
