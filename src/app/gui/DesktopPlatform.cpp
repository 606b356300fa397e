#include "app/gui/DesktopPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

DesktopPlatform::DesktopPlatform(const QString& programFolder) : m_programFolder(programFolder) {
    m_ticks.start();
}

QString DesktopPlatform::programFolder() const {
    const QString folder =
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
    return QDir::cleanPath(folder);
}

QDateTime DesktopPlatform::now() const {
    return QDateTime::currentDateTime();
}

qint64 DesktopPlatform::tickCount() const {
    return m_ticks.elapsed();
}

int DesktopPlatform::shellOpen(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode)) ? 33 : 2;
}
