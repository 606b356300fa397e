#pragma once

#include "db/index/WordIndex.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The word index of a file as it stands now: the index read from the file and
// the rows written through the provider since, merged into every answer in
// the places a scan of the table gives them. Immutable; a write makes a new
// one, so a search keeps the state it started with.
class LiveWordIndex {
public:
    // One row of WYRAZY changed, as the engine reports it.
    struct Change {
        enum class Kind { Insert, Update, Delete };
        Kind kind = Kind::Insert;
        qint64 oldRowid = 0; // Update, Delete
        qint64 newRowid = 0; // Insert, Update
        // The new word (Insert, Update); nothing for a Null.
        std::optional<QString> word;
        // False when the new value is neither text nor Null: the index cannot hold it.
        bool text = true;
    };

    explicit LiveWordIndex(std::shared_ptr<const WordIndex> base);

    // This index with the changes made; nothing when they cannot be placed
    // (the file must then be read again).
    std::shared_ptr<const LiveWordIndex> with(const std::vector<Change>& changes) const;

    WordIndex::Rows like(const JetLike& pattern, qint64 top, const RowFilter* filter) const;
    WordIndex::Rows withLength(qint64 length, const RowFilter* filter) const;
    std::optional<qint64> rowidBound(const JetLike& pattern) const;
    QString word(quint64 where) const;
    void prefetch(quint64 where) const;

    // Rows added and rows gone since the index was read.
    size_t editCount() const { return m_added.size() + m_removed.size(); }
    qint64 memoryBytes() const;

private:
    struct Row {
        qint64 rowid;
        quint32 before; // the indexed rows ahead of it in a scan
        QString word;
        QByteArray utf8;
    };

    template <typename Matches> WordIndex::Edits edits(Matches&& matches, const RowFilter* filter) const;
    void remove(qint64 rowid);
    void add(qint64 rowid, const QString& word);

    std::shared_ptr<const WordIndex> m_base;
    std::vector<quint32> m_removed; // ascending row numbers of the index
    std::vector<Row> m_added;       // by row id
};
