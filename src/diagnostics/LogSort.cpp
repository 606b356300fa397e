#include "diagnostics/LogSort.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

Qt::SortOrder LogSort::click(int column, QList<LogRow>& rows) {
    m_column = std::clamp(column, 0, LogRow::ColumnCount - 1);
    m_order = m_order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sort(rows, m_column, m_order);
    return m_order;
}

void LogSort::sort(QList<LogRow>& rows, int column, Qt::SortOrder order) {
    QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    const bool descending = order == Qt::DescendingOrder;
    std::stable_sort(rows.begin(), rows.end(), [&](const LogRow& a, const LogRow& b) {
        const int c = collator.compare(a.cell(column), b.cell(column));
        return descending ? c > 0 : c < 0;
    });
}
