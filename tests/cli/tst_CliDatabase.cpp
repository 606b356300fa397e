#include "db/SchemaCheck.h"
#include "support/CliRun.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CliDatabase, CreateWritesAnEmptyDictionaryAndRefusesExistingFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath("nowy.mdb");
    EXPECT_EQ(cli({"create", path}).exitCode, 0);
    const CliRun checked = cli({"check", path});
    EXPECT_EQ(checked.exitCode, 0);
    EXPECT_EQ(checked.out, "0\t\n");

    const QByteArray before = fileBytes(path);
    const CliRun again = cli({"create", path});
    EXPECT_NE(again.exitCode, 0);
    EXPECT_TRUE(again.err.contains("już istnieje")) << again.err.toStdString();
    EXPECT_EQ(fileBytes(path), before);
}

TEST(CliDatabase, CreateWithPasswordNeedsItToCheck) {
    QTemporaryDir dir;
    const QString path = dir.filePath("haslo.mdb");
    ASSERT_EQ(cli({"create", path, "--password", "ab;c"}).exitCode, 0);
    EXPECT_EQ(cli({"check", path, "--password", "ab;c"}).out, "0\t\n");
    const CliRun wrong = cli({"check", path, "--password", "ab"});
    EXPECT_EQ(wrong.out, "2\t" + SchemaCheck::DBError(2) + QLatin1Char('\n'));
    EXPECT_EQ(wrong.exitCode, 1);
}

TEST(CliDatabase, QueryErrorsGoToStandardErrorWithTheirNumber) {
    TestDictionary dict({"KOT"});
    const CliRun run = cli({"query", dict.path(), "SELECT * FROM NIEMA"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("-2147217865\t")) << run.err.toStdString();
}

} // namespace
