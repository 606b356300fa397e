// A log path that is not a regular file counts as a log that cannot be
// written: appending fails at once instead of waiting for a reader.
#include "common/ErrorLog.h"
#include "db/AppError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct LogPath {
    const char* name;
    QString (*make)(const QTemporaryDir&);
};

void PrintTo(const LogPath& p, std::ostream* os) {
    *os << p.name;
}

class NotARegularFile : public ::testing::TestWithParam<LogPath> {};

TEST_P(NotARegularFile, IsRefusedWithoutBlocking) {
    QTemporaryDir dir;
    const QString path = GetParam().make(dir);
    ASSERT_FALSE(path.isEmpty());
    try {
        ErrorLog::append(path, QStringLiteral("wiersz"));
        ADD_FAILURE() << "written";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), AppError::PermissionDenied);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotARegularFile,
    ::testing::Values(LogPath{"fifo_without_reader",
                              [](const QTemporaryDir& d) {
                                  const QString p = d.filePath(QStringLiteral("error.log"));
                                  return mkfifo(QFile::encodeName(p).constData(), 0600) == 0 ? p : QString();
                              }},
                      LogPath{"device", [](const QTemporaryDir&) { return QStringLiteral("/dev/null"); }},
                      LogPath{"folder",
                              [](const QTemporaryDir& d) {
                                  const QString p = d.filePath(QStringLiteral("error.log"));
                                  return QDir().mkdir(p) ? p : QString();
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorLogPath, ARegularFileGetsTheLineAppended) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("error.log"));
    ErrorLog::append(path, QStringLiteral("pierwszy"));
    ErrorLog::append(path, QStringLiteral("drugi"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("pierwszy\r\ndrugi\r\n"));
}

} // namespace
