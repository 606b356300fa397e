#pragma once

#include "diagnostics/LogRow.h"

#include <QList>

// The sort state of the log viewer for one opening. The order flips on every
// header click, whichever column it is, starting from ascending; so the first
// click sorts descending. Every column sorts as text in Polish alphabetical
// order (numbers too: "13" comes before "5").
class LogSort {
public:
    // Records the click and sorts `rows` by that column in the new order (stable).
    Qt::SortOrder click(int column, QList<LogRow>& rows);

    int column() const { return m_column; }
    Qt::SortOrder order() const { return m_order; }

    static void sort(QList<LogRow>& rows, int column, Qt::SortOrder order);

private:
    int m_column = 0;
    Qt::SortOrder m_order = Qt::AscendingOrder;
};
