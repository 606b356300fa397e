#pragma once

#include <QString>
#include <QStringList>

// The built-in help: eleven fixed topics, numbered 0 to 10, one for each help
// icon of the main window (0 to 5) and of the options dialog (6 to 10).
class HelpTopics {
public:
    static constexpr int Count = 11;

    static bool exists(int topic);
    // The topic's lines in order, empty lines included; none for an unknown topic.
    static QStringList lines(int topic);
    // The lines joined with CR LF, no line break after the last; empty for an unknown topic.
    static QString text(int topic);
};
