#include "support/NativeFileContents.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ImportRun {
    int exitCode;
    QString out;
    QString err;
};

ImportRun runImport(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(LITERON_BIN_DIR "/literon-cli"),
                  QStringList{QStringLiteral("import")} + args);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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
    const ImportRun run =
        runImport({target, list("a.txt", QStringLiteral("Kraków\nkot\tmruczek\nkot\npies\na1\n")),
                   QStringLiteral("--skip-capitalised")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << "no progress on a pipe: " << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Dodane wyrazy: 2\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Dodane opisy: 1\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Pominięte wpisy: 2 (niedozwolone znaki: 1;")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("z wielkiej litery: 1)"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Duplikaty: 1 "))) << run.out.toStdString();
    EXPECT_EQ(NativeFileContents::read(target).wordList(), (QStringList{"KOT", "PIES"}));
}

TEST_F(CmdImport, AccessSourceWithPassword) {
    const QString source = QStringLiteral(LITERON_FIXTURES_DIR "/mdb/slownik_haslo.mdb");
    const ImportRun wrong = runImport({target, source});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("nie został utworzony"))) << wrong.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));
    const ImportRun right =
        runImport({target, source, QStringLiteral("--password"), QStringLiteral("tajne;1")});
    EXPECT_EQ(right.exitCode, 0) << right.err.toStdString();
    EXPECT_TRUE(right.out.contains(QStringLiteral("Dodane wyrazy: 120\n")));
    EXPECT_TRUE(right.out.contains(QStringLiteral("Dodane opisy: 62\n")));
}

TEST_F(CmdImport, ErrorsGoToStderrAndChangeNothing) {
    ASSERT_EQ(runImport({target, list("a.txt", QStringLiteral("kot"))}).exitCode, 0);
    const QByteArray before = fileBytes(target);
    const ImportRun missing = runImport({target, dir.filePath(QStringLiteral("brak.txt"))});
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
        const ImportRun run = runImport(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Użycie: literon-cli import"))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(target));
}

} // namespace
