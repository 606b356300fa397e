#include "support/CliRun.h"
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CliRun runImport(const QStringList& args) {
    return cli(QStringList{QStringLiteral("import")} + args);
}

class CmdImport : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("slownik.mdb"));

    QString list(const char* name, const QString& text) const {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        return path;
    }
};

TEST_F(CmdImport, ImportsAndPrintsTheCounts) {
    const CliRun run =
        runImport({target, list("a.txt", QStringLiteral("Kraków\nkot\tmruczek\nkot\npies\na1\n")),
                   QStringLiteral("--skip-capitalised")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << "no progress on a pipe: " << run.err.toStdString();
    for (const char* count :
         {"Dodane wyrazy: 2\n", "Dodane opisy: 1\n", "Pominięte wpisy: 2 (niedozwolone znaki: 1;",
          "z wielkiej litery: 1)", "Duplikaty: 1 "})
        EXPECT_TRUE(run.out.contains(QString::fromUtf8(count))) << count << " in " << run.out.toStdString();
    EXPECT_EQ(NativeFileContents::read(target).wordList(), (QStringList{"KOT", "PIES"}));
}

TEST_F(CmdImport, ErrorsGoToStderrAndChangeNothing) {
    ASSERT_EQ(runImport({target, list("a.txt", QStringLiteral("kot"))}).exitCode, 0);
    const QByteArray before = fileBytes(target);
    const CliRun missing = runImport({target, dir.filePath(QStringLiteral("brak.txt"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains(QStringLiteral("nie istnieje"))) << missing.err.toStdString();
    EXPECT_TRUE(missing.err.contains(QStringLiteral("nie został zmieniony"))) << missing.err.toStdString();
    EXPECT_EQ(fileBytes(target), before);
}

TEST_F(CmdImport, UsageErrors) {
    for (const QStringList& args :
         {QStringList{}, QStringList{target}, QStringList{target, QStringLiteral("--x")},
          QStringList{target, QStringLiteral("a.txt"), QStringLiteral("--password")}}) {
        const CliRun run = runImport(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Użycie: literon-cli import"))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(target));
}

} // namespace
