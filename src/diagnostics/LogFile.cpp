#include "diagnostics/LogFile.h"

#include "common/ErrorLog.h"
#include "db/AppError.h"

#include <QDir>
#include <QFile>

QList<LogRow> LogFile::read(const QString& path) {
    QByteArray bytes;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw AppError(file.exists() ? AppError::PermissionDenied : AppError::FileNotFound,
                           QStringLiteral("Nie można otworzyć pliku %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw AppError(AppError::PermissionDenied,
                           QStringLiteral("Nie można odczytać pliku %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return parse(bytes);
}

QList<LogRow> LogFile::parse(const QByteArray& bytes) {
    QList<LogRow> rows;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QByteArray line = bytes.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        start = end + 1;
        if (!line.isEmpty())
            rows.append(LogRow::fromLine(ErrorLog::fromWindows1250(line)));
    }
    return rows;
}

QString LogFile::mailAddress(const QString& supportEmail, const QString& logPath) {
    return QStringLiteral("mailto:") + supportEmail +
           QStringLiteral("?subject=Log Błędów&body=Proszę wstawić załącznik:%0D%0A") + logPath;
}
