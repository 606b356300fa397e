#pragma once

#include "diagnostics/LogRow.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reading the error log back: Windows-1250 lines ended by CR LF, decoded with
// the converter that wrote them.
class LogFile {
public:
    // The rows of the file at `path` in file order; empty lines are skipped.
    // The file is read whole and closed before this returns, so the next error
    // report can append to it. Throws AppError when the file cannot be read.
    static QList<LogRow> read(const QString& path);
    static QList<LogRow> parse(const QByteArray& bytes);

    // The mailto: address that asks the e-mail client to send the log:
    // subject "Log Błędów", body naming the file to attach. The path goes in as it is.
    static QString mailAddress(const QString& supportEmail, const QString& logPath);
};
