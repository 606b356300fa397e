#pragma once

#include "common/Platform.h"

#include <QElapsedTimer>
#include <QString>

// The real program folder, clock, tick counter and shell "open".
class DesktopPlatform : public Platform {
public:
    // An empty folder means the folder of the executable.
    explicit DesktopPlatform(const QString& programFolder = QString());

    QString programFolder() const override;
    QDateTime now() const override;
    qint64 tickCount() const override;
    // 33 when the desktop accepted the address, 2 (file not found) otherwise.
    int shellOpen(const QString& address) override;

private:
    QString m_programFolder;
    QElapsedTimer m_ticks;
};
