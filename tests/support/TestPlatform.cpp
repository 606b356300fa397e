#include "support/TestPlatform.h"

#include <QDir>
#include <QFile>

TestPlatform::TestPlatform(bool withLogsFolder) {
    if (withLogsFolder)
        QDir(m_dir.path()).mkdir(QStringLiteral("Logs"));
}

int TestPlatform::shellOpen(const QString& address) {
    opened << address;
    return shellResult;
}

QString TestPlatform::logPath() const {
    return m_dir.path() + QStringLiteral("/Logs/error.log");
}

QByteArray TestPlatform::logBytes() const {
    QFile file(logPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
