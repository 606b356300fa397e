#include "search/gui/ResultsList.h"

#include "app/gui/MainWindowLayout.h"
#include "search/ResultsModel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeView>

ResultsList::ResultsList(QTreeView* view, QObject* parent)
    : QObject(parent), m_view(view), m_model(new ResultsModel(this)) {
    m_model->setObjectName(QStringLiteral("resultsModel"));
    m_view->setModel(m_model);
    // Sorting belongs to the model: a header click only tells the window.
    m_view->setSortingEnabled(false);
    m_view->header()->setSectionsClickable(true);
    m_view->header()->setSortIndicatorShown(false);
}

void ResultsList::clear() {
    m_model->clear();
}

void ResultsList::applyLayout(const ResultLayout& layout) {
    m_model->applyLayout(layout);
    sizeColumns();
}

void ResultsList::setColumns(const QVector<ResultColumn>& columns) {
    m_model->clearColumns();
    for (const ResultColumn& column : columns)
        m_model->addColumn(column);
    sizeColumns();
}

void ResultsList::appendRows(ResultRows&& rows) {
    m_changed = m_changed || !rows.isEmpty();
    m_model->appendRows(std::move(rows));
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
    for (int i = 0; i < columns.size(); ++i)
        header->resizeSection(i, widthOf(columns.at(i)));
}
