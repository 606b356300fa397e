#pragma once

#include <QString>

// One line of the error log cut into the four cells the viewer shows.
struct LogRow {
    QString when;        // positions 1-19 as they stand
    QString place;       // positions 21-70, blanks around removed
    QString number;      // positions 72-86, blanks around removed
    QString description; // position 88 to the end, untouched

    static constexpr int ColumnCount = 4;

    // Cuts a decoded log line by character position. A line shorter than the
    // 87-character head (an older or hand-edited log) yields what is there.
    static LogRow fromLine(const QString& line);
    // Cell text by column: 0 date and time, 1 place, 2 number, 3 description.
    const QString& cell(int column) const;
};
