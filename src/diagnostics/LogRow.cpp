#include "diagnostics/LogRow.h"

#include "common/modMain.h"

LogRow LogRow::fromLine(const QString& line) {
    // QString::mid answers an empty text beyond the end, so short lines are safe.
    return LogRow{line.mid(0, 19), modMain::TrimBlanks(line.mid(20, 50)),
                  modMain::TrimBlanks(line.mid(71, 15)), line.mid(87)};
}

const QString& LogRow::cell(int column) const {
    switch (column) {
    case 0:
        return when;
    case 1:
        return place;
    case 2:
        return number;
    default:
        return description;
    }
}
