#include "help/AboutInfo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(AboutInfo, VersionNumbersJoinedWithoutPadding) {
    EXPECT_EQ(AboutInfo::versionText(2, 0, 4), QStringLiteral("2.0.4"));
    EXPECT_EQ(AboutInfo::versionText(10, 12, 305), QStringLiteral("10.12.305"));
    // This release, as set in the build.
    EXPECT_EQ(AboutInfo::version(), QStringLiteral("2.0.4"));
}

TEST(AboutInfo, ExecutableDateOrNothingWhenItIsMissing) {
    QTemporaryDir dir;
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    EXPECT_EQ(AboutInfo::executableDate(dir.path(), polish), QString());
    QFile exe(AboutInfo::executablePath(dir.path()));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    ASSERT_TRUE(
        exe.setFileTime(QDateTime(QDate(2026, 12, 24), QTime(18, 30, 5)), QFileDevice::FileModificationTime));
    exe.close();
    EXPECT_EQ(AboutInfo::executableDate(dir.path(), polish), QStringLiteral("24.12.2026 18:30:05"));
}

} // namespace
