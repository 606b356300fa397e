#include "common/ErrorLog.h"
#include "db/AppError.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QDateTime When(QDate(2026, 3, 7), QTime(21, 5, 3));

// Date, time, place in 50, number in 15, description: one space between each.
TEST(ErrorLogLine, FieldsSitAtFixedPositions) {
    EXPECT_EQ(ErrorLog::formatLine(When, "frmMain: DBError", 13, "Type mismatch"),
              QString("2026-03-07 21:05:03 ") + QString("frmMain: DBError").leftJustified(50) + " 13" +
                  QString(13, ' ') + " Type mismatch");
    // A longer place is cut; an empty description still leaves its space.
    EXPECT_EQ(ErrorLog::formatLine(When, QString(60, 'x'), -2147467259, ""),
              QString("2026-03-07 21:05:03 ") + QString(50, 'x') + " -2147467259     ");
    // Line breaks in the description would split one error over several lines.
    EXPECT_EQ(ErrorLog::formatLine(When, "p", 1, "first\r\nsecond\nthird\rfourth").mid(87),
              QString("first second third fourth"));
}

TEST(ErrorLogEncoding, PolishLettersInWindows1250AndLongTextsWhole) {
    const QByteArray bytes = ErrorLog::toWindows1250(QString::fromUtf8("ĄĆĘŁŃÓŚŹŻąćęłńóśźż"));
    EXPECT_EQ(bytes, QByteArray("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"));
    EXPECT_EQ(ErrorLog::toWindows1250(QString::fromUtf8("a€中b")), QByteArray("a\x80?b"));
    EXPECT_EQ(ErrorLog::fromWindows1250(bytes), QString::fromUtf8("ĄĆĘŁŃÓŚŹŻąćęłńóśźż"));

    // Texts longer than the converter's buffer, with unmappable characters on
    // its boundaries, come out whole, in both directions.
    for (const char* piece : {"Zażółć gęślą jaźń; ", "ż中", "中"}) {
        const QString text = QString::fromUtf8(piece).repeated(700);
        const QByteArray one = ErrorLog::toWindows1250(QString::fromUtf8(piece));
        EXPECT_EQ(ErrorLog::toWindows1250(text), one.repeated(700)) << piece;
        EXPECT_EQ(ErrorLog::fromWindows1250(one.repeated(700)), ErrorLog::fromWindows1250(one).repeated(700));
    }
}

// A log that is not a regular file counts as one that cannot be written:
// appending fails at once instead of waiting for a reader of a FIFO.
TEST(ErrorLogPath, OnlyARegularFileIsWritten) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("error.log"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/null")}) {
        try {
            ErrorLog::append(path, QStringLiteral("wiersz"));
            ADD_FAILURE() << "written: " << path.toStdString();
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), AppError::PermissionDenied) << path.toStdString();
        }
    }
}

TEST(ReportError, AppendsCrLfLinesOnlyWhenLoggingIsOn) {
    TestEnvironment env;
    env.platform.clock = When;
    env.mod.settings.LogErrors = false;
    env.mod.ReportError("x", AppError(1, "y"));
    EXPECT_FALSE(QFile::exists(env.platform.logPath()));
    env.mod.settings.LogErrors = true;
    env.mod.ReportError("frmMain: DBError", AppError(13, QString::fromUtf8("Zły typ")));
    env.mod.ReportError("UATrim", AppError(5, ""));
    const QList<QByteArray> lines = env.platform.logBytes().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("2026-03-07 21:05:03 frmMain: DBError"));
    EXPECT_TRUE(lines[0].endsWith("Z\xb3y typ\r"));
    EXPECT_EQ(lines[1].size(), 88); // 87 characters and CR
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

TEST(ReportError, MissingLogsFolderShowsTheFailureAndCreatesNothing) {
    TestEnvironment env;
    TestPlatform noLogs(false);
    modMain mod(env.prompts, noLogs, env.store);
    mod.ReportError("x", AppError(1, "y"));
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    EXPECT_TRUE(env.prompts.shown[0].text.startsWith(QString::fromUtf8("Wystąpił błąd numer (76)")));
    EXPECT_FALSE(QFile::exists(noLogs.programFolder() + "/Logs"));
}

TEST(Trap, ShowsLogsAndCleansUp) {
    TestEnvironment env;
    int cleanups = 0;
    EXPECT_FALSE(env.mod.trap(
        "frmMain: LoadSettings", [] { throw AppError(13, "Type mismatch"); }, [&] { ++cleanups; }));
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].text,
              QString::fromUtf8("Wystąpił błąd numer (13)\r\nOpis błędu: Type mismatch"));
    EXPECT_EQ(env.prompts.shown[0].title, QString("Literon 2.0"));
    EXPECT_EQ(cleanups, 1);
    EXPECT_TRUE(env.platform.logBytes().contains("frmMain: LoadSettings"));
}

} // namespace
