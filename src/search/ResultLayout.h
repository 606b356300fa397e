#pragma once

#include <QString>
#include <QVector>

// One column header of the results list. Widths are in twips, as the window
// lays them out: a fixed width, the list's width less some twips, or the
// list's default width.
struct ResultColumn {
    enum class Width { Default, Fixed, ListWidthLess };

    QString caption;
    Width width = Width::Default;
    int twips = 0;

    bool operator==(const ResultColumn&) const = default;
};

// Columns and sort state a search gives the list once its statement is open.
struct ResultLayout {
    static constexpr int Ascending = 0;
    static constexpr int Descending = 1;

    QVector<ResultColumn> columns;
    bool sorted = true;
    // Key (column from 0) and order; ignored when sorted is off: the list keeps
    // the key and order it had.
    int sortKey = 0;
    int sortOrder = Ascending;

    bool operator==(const ResultLayout&) const = default;

    // "Wyraz", sorted ascending (crossword and pattern searches).
    static ResultLayout words();
    // "Wyraz" and "Litery", sorted by "Litery" descending (Scrabble search).
    static ResultLayout scrabble();
    // One column per field name, default width, not sorted (query search).
    static ResultLayout query(const QStringList& fieldNames);
};
