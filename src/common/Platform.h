#pragma once

#include <QDateTime>
#include <QString>

// The program's own folder, the clock and the shell's "open"; injectable so tests
// never touch the real folder or start a browser.
class Platform {
public:
    virtual ~Platform() = default;
    // Folder that holds the program (no trailing separator).
    virtual QString programFolder() const = 0;
    virtual QDateTime now() const = 0;
    // Milliseconds since some fixed point, like the classic tick counter.
    virtual qint64 tickCount() const = 0;
    // Opens a mailto: or web address; above 32 means success (the shell's convention).
    virtual int shellOpen(const QString& address) = 0;
};
