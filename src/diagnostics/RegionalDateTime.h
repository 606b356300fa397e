#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// A date and time in the user's regional format: the short date and the time
// to the second, without a time zone (Polish: "7.12.2026 02:12:30").
class RegionalDateTime {
public:
    static QString text(const QDateTime& when, const QLocale& locale);
};
