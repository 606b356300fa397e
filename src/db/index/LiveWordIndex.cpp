#include "db/index/LiveWordIndex.h"

#include "db/RowFilter.h"
#include "db/jet/JetLike.h"
#include "db/text/PolishText.h"

#include <algorithm>

LiveWordIndex::LiveWordIndex(std::shared_ptr<const WordIndex> base) : m_base(std::move(base)) {}

std::shared_ptr<const LiveWordIndex> LiveWordIndex::with(const std::vector<Change>& changes) const {
    if (!m_base->editable())
        return nullptr;
    auto next = std::make_shared<LiveWordIndex>(*this);
    for (const Change& change : changes) {
        if (change.kind != Change::Kind::Insert)
            next->remove(change.oldRowid);
        if (change.kind != Change::Kind::Delete) {
            if (!change.text)
                return nullptr;
            // The row id may have been held by an indexed row (an update that moved it).
            next->remove(change.newRowid);
            if (change.word)
                next->add(change.newRowid, *change.word);
        }
    }
    return next;
}

void LiveWordIndex::remove(qint64 rowid) {
    const auto added = std::lower_bound(m_added.begin(), m_added.end(), rowid,
                                        [](const Row& row, qint64 id) { return row.rowid < id; });
    if (added != m_added.end() && added->rowid == rowid)
        m_added.erase(added);
    if (const std::optional<quint32> row = m_base->rowOf(rowid)) {
        const auto at = std::lower_bound(m_removed.begin(), m_removed.end(), *row);
        if (at == m_removed.end() || *at != *row)
            m_removed.insert(at, *row);
    }
}

void LiveWordIndex::add(qint64 rowid, const QString& word) {
    const auto at = std::lower_bound(m_added.begin(), m_added.end(), rowid,
                                     [](const Row& row, qint64 id) { return row.rowid < id; });
    m_added.insert(at, Row{rowid, m_base->rowsBefore(rowid), word, word.toUtf8()});
}

template <typename Matches>
WordIndex::Edits LiveWordIndex::edits(Matches&& matches, const RowFilter* filter) const {
    WordIndex::Edits e;
    e.removed = m_removed;
    for (size_t i = 0; i < m_added.size(); ++i) {
        const Row& row = m_added[i];
        if (matches(row))
            e.added.push_back({row.before, quint32(i), filter && filter->passes(QStringView(row.word))});
    }
    return e;
}

WordIndex::Rows LiveWordIndex::like(const JetLike& pattern, qint64 top, const RowFilter* filter) const {
    if (editCount() == 0)
        return m_base->like(pattern, top, filter);
    const WordIndex::Edits e =
        edits([&](const Row& row) { return pattern.matches(row.utf8.constData(), row.utf8.size()); }, filter);
    return m_base->like(pattern, top, filter, &e);
}

WordIndex::Rows LiveWordIndex::withLength(qint64 length, const RowFilter* filter) const {
    if (editCount() == 0)
        return m_base->withLength(length, filter);
    const WordIndex::Edits e = edits(
        [&](const Row& row) {
            return PolishText::utf8Length(reinterpret_cast<const unsigned char*>(row.utf8.constData()),
                                          row.utf8.size()) == length;
        },
        filter);
    return m_base->withLength(length, filter, &e);
}

std::optional<qint64> LiveWordIndex::rowidBound(const JetLike& pattern) const {
    std::optional<qint64> bound = m_base->rowidBound(pattern);
    // Rows gone only move the first match later; an added row may come first.
    if (!bound)
        return bound;
    for (const Row& row : m_added)
        if (row.rowid < *bound && pattern.matches(row.utf8.constData(), row.utf8.size()))
            bound = row.rowid;
    return bound;
}

QString LiveWordIndex::word(quint64 where) const {
    if (WordIndex::isAdded(where))
        return m_added[quint32(where)].word;
    return m_base->word(where);
}

void LiveWordIndex::prefetch(quint64 where) const {
    if (!WordIndex::isAdded(where))
        m_base->prefetch(where);
}

qint64 LiveWordIndex::memoryBytes() const {
    qint64 total = m_base->memoryBytes() + qint64(m_removed.capacity() * sizeof(quint32));
    for (const Row& row : m_added)
        total += qint64(sizeof(Row)) + row.word.capacity() * 2 + row.utf8.capacity();
    return total;
}
