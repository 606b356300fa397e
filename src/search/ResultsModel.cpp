#include "search/ResultsModel.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

#ifdef __GLIBC__
#include <malloc.h>
#endif

ResultsModel::ResultsModel(QObject* parent)
    : QAbstractTableModel(parent), m_collator(QLocale(QLocale::Polish)) {}

int ResultsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(m_index.size() + static_cast<qsizetype>(m_tail.size()));
}

int ResultsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ResultsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return textOf(idAt(index.row()), index.column());
}

QVariant ResultsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns.at(section).caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

int ResultsModel::idAt(int row) const {
    const qsizetype sortedRows = m_index.size();
    return row < sortedRows ? m_index.at(row) : m_tail[static_cast<std::size_t>(row - sortedRows)];
}

QString ResultsModel::textOf(int id, int column) const {
    const auto at = static_cast<std::size_t>(id);
    if (column == 0)
        return m_first[at];
    const QStringList& more = m_more[at];
    return column > 0 && column <= more.size() ? more.at(column - 1) : QString();
}

QString ResultsModel::text(int row, int column) const {
    if (row < 0 || row >= rowCount())
        return QString();
    return textOf(idAt(row), column);
}

QStringList ResultsModel::rowTexts(int row) const {
    if (row < 0 || row >= rowCount())
        return {};
    const auto at = static_cast<std::size_t>(idAt(row));
    return QStringList{m_first[at]} + m_more[at];
}

void ResultsModel::makeKey(int id) {
    const auto at = static_cast<std::size_t>(id);
    m_prefixes[at] = SortPrefix::of(textOf(id, m_sortKey));
    m_keys[at].reset();
}

const QCollatorSortKey& ResultsModel::fullKey(int id) const {
    std::optional<QCollatorSortKey>& key = m_keys[static_cast<std::size_t>(id)];
    if (!key)
        key = m_collator.sortKey(textOf(id, m_sortKey));
    return *key;
}

bool ResultsModel::before(int a, int b) const {
    int order =
        SortPrefix::compare(m_prefixes[static_cast<std::size_t>(a)], m_prefixes[static_cast<std::size_t>(b)]);
    if (order == 0)
        order = fullKey(a).compare(fullKey(b));
    return m_sortOrder == Descending ? order > 0 : order < 0;
}

int ResultsModel::storeRow(QString first, QStringList more) {
    const int id = static_cast<int>(m_first.size());
    m_first.push_back(std::move(first));
    m_more.push_back(std::move(more));
    m_prefixes.emplace_back();
    m_keys.emplace_back();
    if (m_sorted)
        makeKey(id);
    return id;
}

void ResultsModel::addColumn(const ResultColumn& column) {
    const int at = static_cast<int>(m_columns.size());
    beginInsertColumns(QModelIndex(), at, at);
    m_columns.append(column);
    endInsertColumns();
}

void ResultsModel::clearColumns() {
    beginResetModel();
    m_columns.clear();
    endResetModel();
}

void ResultsModel::releaseRows() {
    // The room of a usual list is kept for the next search (every search
    // clears the list); that of a huge one goes back to the system.
    constexpr std::size_t KeptRoom = 65536;
    const bool release = m_first.capacity() > KeptRoom;
    m_first.clear();
    m_more.clear();
    m_prefixes.clear();
    m_keys.clear();
    m_index.clear();
    m_tail.clear();
    if (release) {
        m_first.shrink_to_fit();
        m_more.shrink_to_fit();
        m_prefixes.shrink_to_fit();
        m_keys.shrink_to_fit();
        m_tail.shrink_to_fit();
#ifdef __GLIBC__
        // The texts were millions of small blocks: freed, they stay with the
        // allocator unless it is told to hand the empty pages back.
        malloc_trim(0);
#endif
    }
}

void ResultsModel::clearItems() {
    beginResetModel();
    releaseRows();
    endResetModel();
}

void ResultsModel::clear() {
    beginResetModel();
    m_columns.clear();
    releaseRows();
    endResetModel();
}

void ResultsModel::applyLayout(const ResultLayout& layout) {
    beginResetModel();
    m_columns = layout.columns;
    endResetModel();
    if (layout.sorted)
        setSortState(true, layout.sortKey, layout.sortOrder);
    else
        setSortState(false, m_sortKey, m_sortOrder);
}

void ResultsModel::setSortState(bool sorted, int sortKey, int sortOrder) {
    const bool keysChanged = !m_sorted || sortKey != m_sortKey;
    const bool changed = keysChanged || sorted != m_sorted || sortOrder != m_sortOrder;
    m_sortKey = sortKey;
    m_sortOrder = sortOrder == Descending ? Descending : Ascending;
    if (!sorted) {
        if (m_sorted) {
            // The rows stay where they are; only rows added later are not sorted.
            std::vector<int> order = m_index.toVector();
            order.insert(order.end(), m_tail.begin(), m_tail.end());
            m_tail = std::move(order);
            m_index.clear();
            for (std::optional<QCollatorSortKey>& key : m_keys)
                key.reset();
        }
        m_sorted = false;
        return;
    }
    m_sorted = true;
    if (changed)
        resort(keysChanged);
}

void ResultsModel::columnClick(int column) {
    setSortState(true, column, 1 - m_sortOrder);
}

void ResultsModel::resort(bool keysChanged) {
    std::vector<int> order = m_index.toVector();
    order.insert(order.end(), m_tail.begin(), m_tail.end());
    if (order.empty()) {
        m_index.clear();
        m_tail.clear();
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    if (keysChanged)
        for (int id : order)
            makeKey(id);
    std::vector<int> sortedOrder = order;
    std::stable_sort(sortedOrder.begin(), sortedOrder.end(), [this](int a, int b) { return before(a, b); });
    m_index.assign(sortedOrder);
    m_tail.clear();

    const QModelIndexList from = persistentIndexList();
    if (!from.isEmpty()) {
        std::vector<int> rankOfId(m_first.size(), -1);
        for (std::size_t rank = 0; rank < sortedOrder.size(); ++rank)
            rankOfId[static_cast<std::size_t>(sortedOrder[rank])] = static_cast<int>(rank);
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& index : from) {
            const int id = order[static_cast<std::size_t>(index.row())];
            to.append(createIndex(rankOfId[static_cast<std::size_t>(id)], index.column()));
        }
        changePersistentIndexList(from, to);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResultsModel::appendRows(ResultRows rows) {
    if (rows.isEmpty())
        return;
    const int first = rowCount();
    const qsizetype count = rows.size();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(count) - 1);
    for (qsizetype r = 0; r < count; ++r) {
        QStringList more;
        for (int c = 1; c < rows.columns(); ++c)
            more.append(std::move(rows.text(r, c)));
        m_tail.push_back(storeRow(std::move(rows.text(r, 0)), std::move(more)));
    }
    endInsertRows();
    if (m_sorted)
        placeTail();
}

void ResultsModel::placeTail() {
    const auto less = [this](int a, int b) { return before(a, b); };
    const std::size_t count = m_tail.size();
    // Rows usually come in the list's order, after every row already there (a
    // search reads the table in alphabetical order): one comparison per row.
    bool inOrder = m_index.isEmpty() || !less(m_tail.front(), m_index.back());
    for (std::size_t k = 1; inOrder && k < count; ++k)
        inOrder = !less(m_tail[k], m_tail[k - 1]);
    if (inOrder) {
        m_index.append(m_tail);
        m_tail.clear();
        return;
    }
    // The batch in sorted order (arrival order among equal texts).
    std::vector<std::size_t> byKey(count);
    std::iota(byKey.begin(), byKey.end(), 0);
    std::stable_sort(byKey.begin(), byKey.end(),
                     [&](std::size_t a, std::size_t b) { return less(m_tail[a], m_tail[b]); });
    // Each batch row's place among the rows already sorted; the batch row k
    // then ends at (sorted rows before it) + k.
    const qsizetype oldCount = m_index.size();
    std::vector<SortedIndex::Place> places(count);
    std::vector<int> ids(count);
    std::vector<qsizetype> sortedBefore(count);
    bool allAtEnd = true;
    for (std::size_t k = 0; k < count; ++k) {
        ids[k] = m_tail[byKey[k]];
        places[k] = m_index.upperPlace(ids[k], less);
        sortedBefore[k] = m_index.rankOf(places[k]);
        allAtEnd = allAtEnd && sortedBefore[k] == oldCount;
    }
    if (allAtEnd && std::is_sorted(byKey.begin(), byKey.end())) {
        // Already in place (rows often come in the database's index order).
        m_index.insertAtPlaces(places, ids);
        m_tail.clear();
        return;
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_index.insertAtPlaces(places, ids);
    const QModelIndexList from = persistentIndexList();
    if (!from.isEmpty()) {
        std::vector<qsizetype> rankOfArrival(count);
        for (std::size_t k = 0; k < count; ++k)
            rankOfArrival[byKey[k]] = sortedBefore[k] + static_cast<qsizetype>(k);
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex& index : from) {
            const qsizetype row = index.row();
            qsizetype newRow;
            if (row < oldCount)
                newRow = row + (std::upper_bound(sortedBefore.begin(), sortedBefore.end(), row) -
                                sortedBefore.begin());
            else
                newRow = rankOfArrival[static_cast<std::size_t>(row - oldCount)];
            to.append(createIndex(static_cast<int>(newRow), index.column()));
        }
        changePersistentIndexList(from, to);
    }
    m_tail.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ResultsModel::addRow(const QStringList& texts) {
    const int id = storeRow(texts.value(0), texts.mid(1));
    int row = rowCount();
    if (m_sorted)
        row = static_cast<int>(m_index.upperRank(id, [this](int a, int b) { return before(a, b); }));
    beginInsertRows(QModelIndex(), row, row);
    if (m_sorted)
        m_index.insertAt(row, id);
    else
        m_tail.push_back(id);
    endInsertRows();
    return row;
}

int ResultsModel::setText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0)
        return row;
    const int id = idAt(row);
    const auto at = static_cast<std::size_t>(id);
    if (column == 0) {
        m_first[at] = text;
    } else {
        QStringList& more = m_more[at];
        while (more.size() < column)
            more.append(QString());
        more[column - 1] = text;
    }
    if (!m_sorted || column != m_sortKey) {
        emit dataChanged(index(row, column), index(row, column));
        return row;
    }
    makeKey(id);
    // Its new place among the other rows.
    m_index.removeAt(row);
    const int target = static_cast<int>(m_index.upperRank(id, [this](int a, int b) { return before(a, b); }));
    m_index.insertAt(row, id);
    if (target == row) {
        emit dataChanged(index(row, column), index(row, column));
        return row;
    }
    beginMoveRows(QModelIndex(), row, row, QModelIndex(), target > row ? target + 1 : target);
    m_index.removeAt(row);
    m_index.insertAt(target, id);
    endMoveRows();
    emit dataChanged(index(target, column), index(target, column));
    return target;
}

bool ResultsModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        const int id = idAt(row);
        if (row < m_index.size())
            m_index.removeAt(row);
        else
            m_tail.erase(m_tail.begin() + (row - m_index.size()));
        m_first[static_cast<std::size_t>(id)] = QString();
        m_more[static_cast<std::size_t>(id)] = QStringList();
        m_keys[static_cast<std::size_t>(id)].reset();
    }
    endRemoveRows();
    return true;
}
