#pragma once

#include "db/RowFilter.h"
#include "db/RowSource.h"

#include <memory>

// Applies a row filter to rows from another source (the engine's), for the
// statements the word index does not answer: the same rows come out as the
// index would deliver, with the same counts of rows passed over.
class FilteringRowSource : public RowSource {
public:
    // `field` is the column the filter tests; the source is positioned on its first row.
    FilteringRowSource(std::unique_ptr<RowSource> source, RowFilter filter, int field);

    int fieldCount() const override { return m_source->fieldCount(); }
    FieldInfo field(int index) const override { return m_source->field(index); }
    bool atEnd() const override { return m_source->atEnd(); }
    void advance() override;
    QVariant value(int index) const override { return m_source->value(index); }
    void rewind() override;
    qint64 skippedBefore() const override { return m_skipped; }

private:
    // Moves to the next row to deliver (or the end), counting the rows passed over.
    void settle();

    std::unique_ptr<RowSource> m_source;
    RowFilter m_filter;
    int m_field;
    qint64 m_number = 0; // rows of the statement read so far, the current one included
    qint64 m_skipped = 0;
};
