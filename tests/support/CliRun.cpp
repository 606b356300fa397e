#include "support/CliRun.h"

#include <QProcess>

#include <gtest/gtest.h>

CliRun cli(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(LITERON_BIN_DIR "/literon-cli"), args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
