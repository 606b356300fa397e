#include "help/AboutInfo.h"

#include "BuildInfo.h"
#include "diagnostics/RegionalDateTime.h"

#include <QFileInfo>

QString AboutInfo::versionText(int major, int minor, int revision) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString AboutInfo::version() {
    return versionText(LITERON_VERSION_MAJOR, LITERON_VERSION_MINOR, LITERON_VERSION_PATCH);
}

QString AboutInfo::author() {
    return QStringLiteral(LITERON_AUTHOR);
}

QString AboutInfo::webAddress() {
    return QStringLiteral(LITERON_WEB_ADDRESS);
}

QString AboutInfo::emailAddress() {
    return QStringLiteral(LITERON_EMAIL_ADDRESS);
}

QString AboutInfo::executablePath(const QString& programFolder) {
    return programFolder + QLatin1Char('/') + QStringLiteral(LITERON_EXECUTABLE_NAME);
}

QString AboutInfo::executableDate(const QString& programFolder, const QLocale& locale) {
    const QFileInfo file(executablePath(programFolder));
    if (!file.exists())
        return QString();
    return RegionalDateTime::text(file.lastModified(), locale);
}

QString AboutInfo::mailAddress(const QString& email) {
    return QStringLiteral("mailto:") + email;
}
