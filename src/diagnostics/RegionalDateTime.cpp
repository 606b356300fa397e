#include "diagnostics/RegionalDateTime.h"

#include <QRegularExpression>

QString RegionalDateTime::text(const QDateTime& when, const QLocale& locale) {
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
    return when.toString(locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + timeFormat.trimmed());
}
