#pragma once

#include "db/AppError.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class Connection;
class Platform;

// The five facts of the statistics window, gathered by the same code for the
// window and for literon-cli.
class DatabaseStats {
public:
    enum Row { Words = 0, Descriptions, Ratio, Modified, Seconds, RowCount };

    struct Request {
        QString connString;
        int timeoutSeconds = 30;
        QString dbPath; // the file whose modification time is shown
    };

    // Called with each row's text (ending in one blank) as soon as it is known.
    using Show = std::function<void(Row row, const QString& text)>;

    // Opens its own connection, counts words and descriptions, reads the file's
    // modification time and the time taken. Throws AppError; the rows shown
    // before the error keep their values.
    static void gather(const Request& request, const Platform& platform, const QLocale& locale,
                       const Show& show);

    struct Result {
        std::array<QString, RowCount> texts; // empty where the error came first
        std::optional<AppError> error;
    };
    // gather() collecting the texts; never throws, so it can run on a worker thread.
    static Result run(const Request& request, const Platform& platform, const QLocale& locale);

    // The single value of a COUNT(*) statement (0 when it gives no row).
    static qint32 count(Connection& connection, const QString& sql);

    // descriptions / words to 4 places, or "- " for a dictionary without words.
    static QString ratioText(qint32 words, qint32 descriptions, const QLocale& locale);
    // |end - start| as signed 32-bit tick readings, in seconds to 3 places.
    static QString secondsText(qint64 startTick, qint64 endTick, const QLocale& locale);
    static QString dateTimeText(const QDateTime& when, const QLocale& locale);

    // Rounded to `places` decimals, a half going to the even digit.
    static double roundHalfEven(double value, int places);
    // The rounded number with the locale's decimal separator, no grouping and no
    // trailing zeros ("0,125", "3", "0").
    static QString decimalText(double value, int places, const QLocale& locale);
    static qint64 elapsedMs(qint64 startTick, qint64 endTick);
    // The caption label of a row ("Liczba wyrazów:").
    static QString caption(Row row);
};
