#pragma once

#include "search/ResultLayout.h"
#include "search/ResultRows.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVector>

class QTreeView;
class ResultsModel;

// The results list lvResults with the results model behind it: columns sized
// in twips as the searches lay them out, rows added in batches, the list's
// sort state kept by the model and shown by the header's sort arrow. Columns
// without a width of their own (a query's fields) are sized to their captions,
// then once to the first rows that arrive, within the list's width.
class ResultsList : public QObject {
    Q_OBJECT
public:
    explicit ResultsList(QTreeView* view, QObject* parent = nullptr);

    ResultsModel* model() const { return m_model; }
    QTreeView* view() const { return m_view; }

    // Items and column headers.
    void clear();
    // Columns and sort state a search gives the list once its statement is open.
    void applyLayout(const ResultLayout& layout);
    // Replaces the column headers (the rows stay), sized as given.
    void setColumns(const QVector<ResultColumn>& columns);
    void appendRows(ResultRows&& rows);
    // After a header click: the arrow follows the model's sort state.
    void showSortState();
    // Repaints the list at the next processing of events, when rows came since
    // the last refresh (a refresh point of a search that listed nothing new
    // leaves the list as it is painted).
    void refresh();

    int rowCount() const;
    int selectedCount() const;
    // Selected rows from the first to the last.
    QList<int> selectedRows() const;
    // The row the maintenance commands act on: the selected one when exactly
    // one is selected, otherwise the list's current row; -1 when there is none.
    int currentRow() const;
    // Deselects every row and makes `row` the only selected and current one.
    void selectOnly(int row);
    // Ctrl+C: the selected rows as text on the clipboard.
    void copySelection();
    // A column's width in pixels, for the list's current width.
    int widthOf(const ResultColumn& column) const;

private:
    void sizeColumns();
    // Columns of default width sized to their captions and the rows listed.
    void fitColumns();

    QTreeView* m_view;
    ResultsModel* m_model;
    bool m_changed = false;
    // Columns of default width still wait for the first rows.
    bool m_fitPending = false;
};
