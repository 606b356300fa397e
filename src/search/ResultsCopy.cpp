#include "search/ResultsCopy.h"

#include "search/ResultsModel.h"

#include <QStringList>

QString ResultsCopy::text(const ResultsModel& model, const QList<int>& rows) {
    // A row has at least one column even when the list has no headers.
    const int columns = qMax(1, model.columnCount());
    QStringList lines;
    lines.reserve(rows.size());
    for (int row : rows) {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells << model.text(row, column);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}
