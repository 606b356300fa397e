#pragma once

#include "search/ResultLayout.h"
#include "search/ResultRows.h"
#include "search/SortPrefix.h"
#include "search/SortedIndex.h"

#include <QAbstractTableModel>
#include <QCollator>
#include <QCollatorSortKey>
#include <QStringList>
#include <QVector>

#include <optional>
#include <vector>

// The data side of the results list: column headers, rows of texts and the
// sort state (sorted flag, sort key, sort order). While sorted, rows keep the
// order of their sort column's text in Polish alphabetical order, and rows
// added later take their place; rows with equal texts keep their arrival
// order. Unsorted, rows stay in arrival order (query results).
class ResultsModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int Ascending = ResultLayout::Ascending;
    static constexpr int Descending = ResultLayout::Descending;

    explicit ResultsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Columns.
    const QVector<ResultColumn>& columns() const { return m_columns; }
    void addColumn(const ResultColumn& column);
    void clearColumns();
    void clearItems();
    // Items and columns, as a search clears the list before it runs.
    void clear();
    // Columns and sort state given by a search (sort state kept when the layout
    // is not sorted, as after a query).
    void applyLayout(const ResultLayout& layout);

    // Sort state.
    bool sorted() const { return m_sorted; }
    int sortKey() const { return m_sortKey; }
    int sortOrder() const { return m_sortOrder; }
    void setSortState(bool sorted, int sortKey, int sortOrder);
    // A header click: sorted on, key := the column, order flipped (the order
    // flips whichever column is clicked).
    void columnClick(int column);

    // Rows by their place in the list.
    QString text(int row, int column = 0) const;
    // A row has at least one text (the first may be empty).
    QStringList rowTexts(int row) const;
    // Adds a batch of rows at once (one insertion for the views, then their
    // move into sorted places).
    void appendRows(ResultRows rows);
    // Adds one row; returns where it went.
    int addRow(const QStringList& texts);
    // Changes one text; in a sorted list a change of the sort column moves the
    // row to its new place. Returns the row's place afterwards.
    int setText(int row, int column, const QString& text);

private:
    int idAt(int row) const;
    void releaseRows();
    QString textOf(int id, int column) const;
    // Sort data of a row for the sort column: its prefix now, its full key
    // only when a comparison needs it.
    void makeKey(int id);
    const QCollatorSortKey& fullKey(int id) const;
    bool before(int a, int b) const;
    int storeRow(QString first, QStringList more);
    // Moves the rows appended in arrival order at the end into their sorted places.
    void placeTail();
    // Rebuilds the whole order from the sort state, keeping persistent indexes.
    void resort(bool keysChanged);

    QVector<ResultColumn> m_columns;
    // Texts by row id: the first column, and the further ones of a wider
    // row (a list of words costs no list per row). A removed row leaves
    // empty texts.
    std::vector<QString> m_first;
    std::vector<QStringList> m_more;
    std::vector<SortPrefix> m_prefixes;
    mutable std::vector<std::optional<QCollatorSortKey>> m_keys;
    // List order: the sorted index, then rows not (yet) sorted in arrival order.
    SortedIndex m_index;
    std::vector<int> m_tail;
    bool m_sorted = true;
    int m_sortKey = 0;
    int m_sortOrder = Ascending;
    QCollator m_collator;
};
