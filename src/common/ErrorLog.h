#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The error log: one fixed-width line per error, Windows-1250, CR LF.
// The log viewer reads the fields back by character position.
class ErrorLog {
public:
    // Date (10), blank, time (8), blank, place (50), blank, number (15), blank, description.
    static QString formatLine(const QDateTime& when, const QString& place, qint32 number,
                              const QString& description);
    // Text in Windows-1250, one byte per character; unmappable characters become "?".
    static QByteArray toWindows1250(const QString& text);
    static QString fromWindows1250(const QByteArray& bytes);
    // Appends line + CR LF to the file, creating the file but never its folder.
    // Throws AppError when the file cannot be opened, written or closed.
    static void append(const QString& path, const QString& line);
    // "<programFolder>/Logs/error.log"
    static QString pathIn(const QString& programFolder);
};
