#include "db/SchemaCheck.h"
#include "support/CliRun.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CliDatabase, CreateWritesAnEmptyDictionaryAndRefusesExistingFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nowy.mdb"));
    EXPECT_EQ(cli({QStringLiteral("create"), path}).exitCode, 0);
    const CliRun checked = cli({QStringLiteral("check"), path});
    EXPECT_EQ(checked.exitCode, 0);
    EXPECT_EQ(checked.out, QStringLiteral("0\t\n"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const CliRun again = cli({QStringLiteral("create"), path});
    EXPECT_NE(again.exitCode, 0);
    EXPECT_TRUE(again.err.contains(QStringLiteral("już istnieje"))) << again.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST(CliDatabase, CreateWithPasswordNeedsItToCheck) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("haslo.mdb"));
    ASSERT_EQ(
        cli({QStringLiteral("create"), path, QStringLiteral("--password"), QStringLiteral("ab;c")}).exitCode,
        0);
    EXPECT_EQ(cli({QStringLiteral("check"), path, QStringLiteral("--password"), QStringLiteral("ab;c")}).out,
              QStringLiteral("0\t\n"));
    const CliRun wrong =
        cli({QStringLiteral("check"), path, QStringLiteral("--password"), QStringLiteral("ab")});
    EXPECT_EQ(wrong.out, QStringLiteral("2\t") + SchemaCheck::DBError(2) + QLatin1Char('\n'));
    EXPECT_EQ(wrong.exitCode, 1);
}

TEST(CliDatabase, QueryPrintsHeaderAndRowsWithNullsEmpty) {
    TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("ŻÓŁW")}, {{2, QStringLiteral("gad")}});
    dict.exec(QStringLiteral("INSERT INTO OPISY (WyrazID, Opis) VALUES (1, NULL)"));
    const CliRun run =
        cli({QStringLiteral("query"), dict.path(),
             QStringLiteral("SELECT Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = "
                            "OPISY.WyrazID ORDER BY Wyraz DESC")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Wyraz\tOpis\nŻÓŁW\tgad\nKOT\t\n"));
}

TEST(CliDatabase, QueryErrorsGoToStandardErrorWithTheirNumber) {
    TestDictionary dict({QStringLiteral("KOT")});
    const CliRun run = cli({QStringLiteral("query"), dict.path(), QStringLiteral("SELECT * FROM NIEMA")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("-2147217865\t"))) << run.err.toStdString();
}

} // namespace
