#include "diagnostics/DatabaseStats.h"

#include "common/Platform.h"
#include "common/modMain.h"
#include "db/AppError.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "diagnostics/RegionalDateTime.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <cstdlib>

void DatabaseStats::gather(const Request& request, const Platform& platform, const QLocale& locale,
                           const Show& show) {
    const qint64 startTick = platform.tickCount();
    Connection connection;
    connection.setCommandTimeout(request.timeoutSeconds);
    connection.open(request.connString);

    const qint32 words = count(connection, QStringLiteral("SELECT COUNT(*) FROM WYRAZY"));
    show(Words, QString::number(words) + QLatin1Char(' '));
    const qint32 descriptions = count(connection, QStringLiteral("SELECT COUNT(*) FROM OPISY"));
    show(Descriptions, QString::number(descriptions) + QLatin1Char(' '));
    show(Ratio, ratioText(words, descriptions, locale));

    const QString path = request.dbPath.trimmed();
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists())
        throw AppError(AppError::FileNotFound,
                       QStringLiteral("Nie znaleziono pliku %1.").arg(QDir::toNativeSeparators(path)));
    show(Modified, dateTimeText(file.lastModified(), locale));

    show(Seconds, secondsText(startTick, platform.tickCount(), locale));
    connection.close();
}

DatabaseStats::Result DatabaseStats::run(const Request& request, const Platform& platform,
                                         const QLocale& locale) {
    Result result;
    modMain::trapWith(
        [&] {
            gather(request, platform, locale,
                   [&](Row row, const QString& text) { result.texts[row] = text; });
        },
        [&](const AppError& error) { result.error = error; });
    return result;
}

qint32 DatabaseStats::count(Connection& connection, const QString& sql) {
    Recordset records;
    records.open(sql, connection);
    qint32 value = 0;
    if (records.recordCount() > 0) {
        records.moveFirst();
        bool ok = false;
        value = records.value(0).toInt(&ok);
        if (!ok)
            throw AppError(AppError::TypeMismatch, QStringLiteral("Niezgodność typów."));
    }
    records.close();
    return value;
}

QString DatabaseStats::ratioText(qint32 words, qint32 descriptions, const QLocale& locale) {
    if (words == 0)
        return QStringLiteral("- ");
    return decimalText(static_cast<double>(descriptions) / static_cast<double>(words), 4, locale) +
           QLatin1Char(' ');
}

QString DatabaseStats::secondsText(qint64 startTick, qint64 endTick, const QLocale& locale) {
    return decimalText(static_cast<double>(elapsedMs(startTick, endTick)) / 1000.0, 3, locale) +
           QLatin1Char(' ');
}

QString DatabaseStats::dateTimeText(const QDateTime& when, const QLocale& locale) {
    return RegionalDateTime::text(when, locale) + QLatin1Char(' ');
}

double DatabaseStats::roundHalfEven(double value, int places) {
    const double scale = std::pow(10.0, places);
    // nearbyint rounds in the default mode, to nearest with ties to even.
    return std::nearbyint(value * scale) / scale;
}

QString DatabaseStats::decimalText(double value, int places, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(roundHalfEven(value, places), 'f', places);
    const QString point = plain.decimalPoint();
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(point))
            text.chop(point.size());
    }
    return text;
}

qint64 DatabaseStats::elapsedMs(qint64 startTick, qint64 endTick) {
    // Tick readings are 32-bit and wrap; the difference is taken modulo 2^32,
    // so a wrap between the two readings still gives the time that passed.
    const auto difference =
        static_cast<qint32>(static_cast<quint32>(endTick) - static_cast<quint32>(startTick));
    return std::llabs(static_cast<qint64>(difference));
}

QString DatabaseStats::caption(Row row) {
    switch (row) {
    case Words:
        return QStringLiteral("Liczba wyrazów:");
    case Descriptions:
        return QStringLiteral("Liczba opisów:");
    case Ratio:
        return QStringLiteral("Liczba opisów przypadająca na 1 wyraz:");
    case Modified:
        return QStringLiteral("Data ostatniej modyfikacji bazy:");
    default:
        return QStringLiteral("Czas generowania statystyki (sekundy):");
    }
}
