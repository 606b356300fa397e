#include "db/SchemaCheck.h"
#include "support/CliRun.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The commands that make, check, describe and fill a dictionary, in one
// sequence: each row runs on the files the rows before it left.
TEST(CliDatabase, CreateCheckQueryStatsAndImport) {
    QTemporaryDir dir;
    const QString created = dir.filePath("nowy.mdb");
    const QString locked = dir.filePath("haslo.mdb");
    const QString target = dir.filePath("slownik.mdb");
    const QString list = dir.filePath("a.txt");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString::fromUtf8("Kraków\nkot\tmruczek\nkot\npies\na1\n").toUtf8());
    file.close();
    TestDictionary dict({"KOT", "PIES", "ŻÓŁW"}, {{1, "zwierzę"}, {3, "gad"}}, "tajne");
    const QString db = dict.path();

    ASSERT_EQ(cli({"create", created}).exitCode, 0);
    ASSERT_EQ(cli({"check", created}).out, "0\t\n");
    const QByteArray before = fileBytes(created);
    const struct {
        QStringList args;
        int exitCode;
        QString out;     // the start of the output; empty: nothing printed
        const char* err; // a part of the error output; "": nothing printed; nullptr: not checked
    } cases[] = {
        {{"create", created}, 1, "", "już istnieje"},
        {{"create", locked, "--password", "ab;c"}, 0, "", ""},
        {{"check", locked, "--password", "ab;c"}, 0, "0\t\n", ""},
        {{"check", locked, "--password", "ab"}, 1, "2\t" + SchemaCheck::DBError(2) + "\n", nullptr},
        {{"query", db, "SELECT * FROM NIEMA", "--password", "tajne"}, 1, "", "-2147217865\t"},
        {{"stats", db, "--password", "tajne", "--read-only"},
         0,
         QString::fromUtf8(
             "Liczba wyrazów\t3\nLiczba opisów\t2\nLiczba opisów przypadająca na 1 wyraz\t0,6667\n"
             "Data ostatniej modyfikacji bazy\t"),
         ""},
        {{"stats", db, "--password", "jawne"}, 1, "", "\t"}, // number, description
        {{"stats"}, 2, "", "Użycie: literon-cli stats"},
        {{"import", target, list, "--skip-capitalised"},
         0,
         QString::fromUtf8("Dodane wyrazy: 2\nDodane opisy: 1\nPominięte wpisy: 2 (niedozwolone znaki: 1; "
                           "dłuższe niż 50 znaków: 0; z wielkiej litery: 1)\nDuplikaty: 1 "),
         ""}, // no progress on a pipe
        {{"import", target, dir.filePath("brak.txt")}, 1, "", "nie został zmieniony"},
        {{"import"}, 2, "", "Użycie: literon-cli import"},
        {{"import", target}, 2, "", "Użycie: literon-cli import"},
        {{"import", target, list, "--password"}, 2, "", "Użycie: literon-cli import"},
    };
    for (const auto& c : cases) {
        const CliRun run = cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(c.out.isEmpty() ? run.out.isEmpty() : run.out.startsWith(c.out))
            << what << ": " << run.out.toStdString();
        if (c.err)
            EXPECT_TRUE(*c.err ? run.err.contains(QString::fromUtf8(c.err)) : run.err.isEmpty())
                << what << ": " << run.err.toStdString();
    }
    EXPECT_EQ(fileBytes(created), before);
    EXPECT_EQ(NativeFileContents::read(target).wordList(), (QStringList{"KOT", "PIES"}));
}

} // namespace
