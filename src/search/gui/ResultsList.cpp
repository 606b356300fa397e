#include "search/gui/ResultsList.h"

#include "app/gui/MainWindowLayout.h"
#include "search/ColumnFit.h"
#include "search/ResultsCopy.h"
#include "search/ResultsModel.h"
#include "search/gui/EventHook.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

ResultsList::ResultsList(QTreeView* view, QObject* parent)
    : QObject(parent), m_view(view), m_model(new ResultsModel(this)) {
    m_model->setObjectName(QStringLiteral("resultsModel"));
    m_view->setModel(m_model);
    // Sorting belongs to the model: a header click only tells the window.
    m_view->setSortingEnabled(false);
    m_view->header()->setSectionsClickable(true);
    m_view->header()->setSortIndicatorShown(true);
    showSortState();
    // The view itself would copy only the current cell.
    new EventHook(m_view, [this](QEvent* event) {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return false;
        copySelection();
        return true;
    });
}

void ResultsList::clear() {
    m_model->clear();
    m_fitPending = false;
}

void ResultsList::applyLayout(const ResultLayout& layout) {
    m_model->applyLayout(layout);
    sizeColumns();
    showSortState();
}

void ResultsList::setColumns(const QVector<ResultColumn>& columns) {
    m_model->clearColumns();
    for (const ResultColumn& column : columns)
        m_model->addColumn(column);
    sizeColumns();
    showSortState();
}

void ResultsList::appendRows(ResultRows&& rows) {
    m_changed = m_changed || !rows.isEmpty();
    m_model->appendRows(std::move(rows));
    // Once, on the first rows: a list that changed its widths at every refresh
    // would jump under the reader's eyes.
    if (m_fitPending && m_model->rowCount() > 0) {
        m_fitPending = false;
        fitColumns();
    }
}

void ResultsList::showSortState() {
    // A query's rows are in no order: no arrow then.
    QHeaderView* header = m_view->header();
    if (!m_model->sorted()) {
        header->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    header->setSortIndicator(m_model->sortKey(), m_model->sortOrder() == ResultsModel::Descending
                                                     ? Qt::DescendingOrder
                                                     : Qt::AscendingOrder);
}

void ResultsList::refresh() {
    if (!m_changed)
        return;
    m_changed = false;
    m_view->viewport()->update();
}

int ResultsList::rowCount() const {
    return m_model->rowCount();
}

int ResultsList::selectedCount() const {
    const QItemSelectionModel* selection = m_view->selectionModel();
    return selection ? static_cast<int>(selection->selectedRows().size()) : 0;
}

QList<int> ResultsList::selectedRows() const {
    QList<int> rows;
    if (const QItemSelectionModel* selection = m_view->selectionModel())
        for (const QModelIndex& index : selection->selectedRows())
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

int ResultsList::currentRow() const {
    const QList<int> selected = selectedRows();
    if (selected.size() == 1)
        return selected.front();
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() && current.row() < rowCount() ? current.row() : -1;
}

void ResultsList::selectOnly(int row) {
    QItemSelectionModel* selection = m_view->selectionModel();
    if (!selection || row < 0 || row >= rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

void ResultsList::copySelection() {
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(ResultsCopy::text(*m_model, rows));
}

int ResultsList::widthOf(const ResultColumn& column) const {
    switch (column.width) {
    case ResultColumn::Width::Fixed:
        return MainWindowLayout::px(column.twips);
    case ResultColumn::Width::ListWidthLess:
        return qMax(1, m_view->width() - MainWindowLayout::px(column.twips));
    case ResultColumn::Width::Default:
        break;
    }
    return m_view->header()->defaultSectionSize();
}

void ResultsList::sizeColumns() {
    QHeaderView* header = m_view->header();
    const QVector<ResultColumn>& columns = m_model->columns();
    m_fitPending = false;
    for (int i = 0; i < columns.size(); ++i) {
        header->resizeSection(i, widthOf(columns.at(i)));
        m_fitPending = m_fitPending || columns.at(i).width == ResultColumn::Width::Default;
    }
    if (m_fitPending)
        fitColumns();
    // Rows already listed (a header set over kept rows) are the first rows.
    if (m_fitPending && m_model->rowCount() > 0)
        m_fitPending = false;
}

void ResultsList::fitColumns() {
    QHeaderView* header = m_view->header();
    const QVector<ResultColumn>& columns = m_model->columns();
    // The same room as a word column: the list less 500 twips, so that the
    // vertical scroll bar, once it shows, covers no text.
    int available = m_view->width() - MainWindowLayout::px(500);
    QVector<int> fitted;
    QVector<int> wanted;
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).width != ResultColumn::Width::Default) {
            available -= header->sectionSize(i);
            continue;
        }
        fitted << i;
        wanted << qMax(header->sectionSizeHint(i),
                       static_cast<const QAbstractItemView*>(m_view)->sizeHintForColumn(i));
    }
    const QVector<int> widths = ColumnFit::fit(wanted, available, header->minimumSectionSize());
    for (int k = 0; k < fitted.size(); ++k)
        header->resizeSection(fitted.at(k), widths.at(k));
}
