#pragma once

#include <QList>
#include <QString>

class ResultsModel;

// What Ctrl+C in the results list puts on the clipboard: the given rows in
// list order, one per line, their columns separated by a tab.
class ResultsCopy {
public:
    static QString text(const ResultsModel& model, const QList<int>& rows);
};
