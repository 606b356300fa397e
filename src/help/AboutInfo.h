#pragma once

#include <QLocale>
#include <QString>

// What the about window shows and opens. Version, author and addresses come
// from the build (BuildInfo.h), so they are set in one place.
class AboutInfo {
public:
    // "major.minor.revision" without zero padding, e.g. "2.0.4".
    static QString versionText(int major, int minor, int revision);
    // This release's version.
    static QString version();
    static QString author();
    static QString webAddress();
    static QString emailAddress();
    // The program's own executable file in the program's folder.
    static QString executablePath(const QString& programFolder);
    // The executable's modification date and time in the locale's format; empty
    // when the file cannot be found.
    static QString executableDate(const QString& programFolder, const QLocale& locale);
    // "mailto:" immediately followed by the address, no query part.
    static QString mailAddress(const QString& email);
    // The shell's convention: a result above 32 means the program started.
    static bool shellSucceeded(int result) { return result > 32; }
};
