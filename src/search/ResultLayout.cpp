#include "search/ResultLayout.h"

#include <QStringList>

ResultLayout ResultLayout::words() {
    ResultLayout layout;
    layout.columns = {{QStringLiteral("Wyraz"), ResultColumn::Width::ListWidthLess, 500}};
    return layout;
}

ResultLayout ResultLayout::scrabble() {
    ResultLayout layout;
    layout.columns = {{QStringLiteral("Wyraz"), ResultColumn::Width::ListWidthLess, 1300},
                      {QStringLiteral("Litery"), ResultColumn::Width::Fixed, 800}};
    layout.sortKey = 1;
    layout.sortOrder = Descending;
    return layout;
}

ResultLayout ResultLayout::query(const QStringList& fieldNames) {
    ResultLayout layout;
    for (const QString& name : fieldNames)
        layout.columns.append({name, ResultColumn::Width::Default, 0});
    layout.sorted = false;
    return layout;
}
