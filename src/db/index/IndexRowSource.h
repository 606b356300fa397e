#pragma once

#include "db/RowSource.h"
#include "db/index/LiveWordIndex.h"

#include <memory>
#include <vector>

class DatabaseHandle;
struct IndexedStatement;

// The rows of a word search's statement, answered from the word index.
class IndexRowSource : public RowSource {
public:
    // Nothing when the statement is better left to the engine (the index does
    // not serve the file, or the engine would refuse the statement: the engine
    // then raises its own error).
    static std::unique_ptr<IndexRowSource> open(const std::shared_ptr<DatabaseHandle>& handle,
                                                const IndexedStatement& statement, const QString& engineSql,
                                                const RowFilter* filter);

    int fieldCount() const override { return 1; }
    FieldInfo field(int index) const override;
    bool atEnd() const override { return m_position >= m_rows.words.size(); }
    void advance() override;
    QVariant value(int index) const override;
    QString text(int index) const override;
    void rewind() override { m_position = 0; }
    qint64 skippedBefore() const override;

private:
    IndexRowSource(std::shared_ptr<const LiveWordIndex> index, FieldInfo field, WordIndex::Rows rows);

    std::shared_ptr<const LiveWordIndex> m_index;
    FieldInfo m_field;
    WordIndex::Rows m_rows;
    size_t m_position = 0;
};
