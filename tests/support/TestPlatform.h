#pragma once

#include "common/Platform.h"

#include <QStringList>
#include <QTemporaryDir>

// A program folder in a temporary directory (with Logs/ unless told otherwise),
// a settable clock and a recording shell-open.
class TestPlatform : public Platform {
public:
    TestPlatform() : TestPlatform(true) {}
    explicit TestPlatform(bool withLogsFolder);

    QString programFolder() const override { return m_dir.path(); }
    QDateTime now() const override { return clock; }
    qint64 tickCount() const override { return ticks; }
    int shellOpen(const QString& address) override;

    QString logPath() const;
    QByteArray logBytes() const;

    QDateTime clock = QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3));
    qint64 ticks = 1000;
    int shellResult = 42;
    QStringList opened;

private:
    QTemporaryDir m_dir;
};
