#include "db/SchemaCheck.h"
#include "support/CliRun.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Each command once, with its options and its refusals: the searches, checks
// and counts themselves are proved below the command line. The rows run in
// order, each on the files the rows before it left. The words are inserted out
// of alphabetical order: the output order is the list's.
TEST(Cli, CommandsOptionsAndRefusals) {
    QTemporaryDir dir;
    const QString created = dir.filePath("nowy.mdb");
    const QString locked = dir.filePath("haslo.mdb");
    const QString target = dir.filePath("slownik.mdb");
    const QString list = dir.filePath("a.txt");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString::fromUtf8("Kraków\nkot\tmruczek\nkot\npies\na1\n").toUtf8());
    file.close();
    TestDictionary dict(
        QString::fromUtf8("ŻÓŁW KOTY KROTNA KARTON KOT KĄT KAT KANTOR KONTRA RUPIECIE PIERŚCIEŃ "
                          "CIERPKIE ZEBRA ŹREBIĘ ŁOŚ LAS")
            .split(QLatin1Char(' ')),
        {{16, "KOTLINA"}, {5, "zwierzę\tdomowe"}});
    const QString db = dict.path();

    ASSERT_EQ(cli({"create", created}).exitCode, 0);
    ASSERT_EQ(cli({"check", created}).out, "0\t\n");
    const QByteArray before = fileBytes(created);
    const struct {
        QStringList args;
        int exitCode;
        QString out;     // all the output; ending in a tab: its start, the value after it varies
        const char* err; // a part of the error output; "": nothing; nullptr: not checked
    } cases[] = {
        // clang-format off
        {{"crossword", db, "k?T"}, 0, "KAT\nKĄT\nKOT\n", ""},
        {{"crossword", db, "K?T", "--max", "1"}, 0, "KOT\n", ""}, // the first in WyrazID order
        {{"crossword", db, "KRO?NA", "--anagram"}, 2, "", "Proszę wypełnić wszystkie pola.\n"},
        {{"crossword", db, "K?T", "--max", "0"}, 2, "", nullptr},
        {{"crossword", db, "K?T", "--bogus"}, 2, "", nullptr},
        {{"pattern", db, "KOT*", "--descriptions"}, 0, "KOT\nKOTY\nLAS\n", ""},
        {{"scrabble", db, "*R???E*", "CEIIPŚ?"}, 0, "PIERŚCIEŃ\t7\nRUPIECIE\t6\nCIERPKIE\t6\n", ""},
        {{"scrabble", db, "*Ś*", "ŁO???", "--blanks"}, 0, "ŁOŚ\t2\n", ""},
        {{"query", db, "select Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = OPISY.WyrazID "
                       "WHERE Wyraz LIKE 'K_T' ORDER BY WYRAZY.WyrazID", "--max", "2"}, 0, "Wyraz\tOpis\nKOT\tzwierzę domowe\nKĄT\t\n", ""},
        {{"query", db, "SELECT WyrazID FROM WYRAZY WHERE WyrazID > 13", "--max", "1", "--ignore-max"}, 0, "WyrazID\n14\n15\n16\n", ""},
        {{"query", db, "SELECT 1; DELETE FROM WYRAZY"}, 1, "", nullptr},
        {{"query", db, "SELECT * FROM NIEMA"}, 1, "", "-2147217865\t"},
        {{"query", dir.filePath("nie-ma.mdb"), "SELECT 1"}, 1, "", nullptr},
        {{"create", created}, 1, "", "już istnieje"},
        {{"create", locked, "--password", "ab;c"}, 0, "", ""},
        {{"check", locked, "--password", "ab;c"}, 0, "0\t\n", ""},
        {{"check", locked, "--password", "ab"}, 1, "2\t" + SchemaCheck::DBError(2) + "\n", nullptr},
        {{"crossword", locked, "K?T"}, 1, "", "\t"}, // number, description
        {{"crossword", locked, "K?T", "--password", "ab;c", "--repeat", "3"}, 0, "", "Mediana przebiegów 2..3: "},
        {{"stats", db, "--read-only"}, 0, "Liczba wyrazów\t16\nLiczba opisów\t2\nLiczba opisów przypadająca na 1 wyraz\t0,125\n"
                                          "Data ostatniej modyfikacji bazy\t", ""},
        {{"stats", locked, "--password", "jawne"}, 1, "", "\t"},
        {{"stats"}, 2, "", "Użycie: literon-cli stats"},
        {{"import", target, list, "--skip-capitalised"}, 0, // no progress on a pipe
         "Dodane wyrazy: 2\nDodane opisy: 1\nPominięte wpisy: 2 (niedozwolone znaki: 1; dłuższe niż 50 znaków: 0; z wielkiej litery: 1)\n"
         "Duplikaty: 1 (powtórzone opisy: 0)\nOdrzucone opisy: 0 (dłuższe niż 255 znaków: 0; bez wyrazu: 0)\n", ""},
        {{"import", target, dir.filePath("brak.txt")}, 1, "", "nie został zmieniony"},
        {{"import"}, 2, "", "Użycie: literon-cli import"},
        {{"import", target}, 2, "", "Użycie: literon-cli import"},
        {{"import", target, list, "--password"}, 2, "", "Użycie: literon-cli import"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const CliRun run = cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err.toStdString();
        if (c.out.endsWith(QLatin1Char('\t')))
            EXPECT_TRUE(run.out.startsWith(c.out)) << what << ": " << run.out.toStdString();
        else
            EXPECT_EQ(run.out, c.out) << what;
        if (c.err)
            EXPECT_TRUE(*c.err ? run.err.contains(QString::fromUtf8(c.err)) : run.err.isEmpty())
                << what << ": " << run.err.toStdString();
    }
    EXPECT_EQ(fileBytes(created), before);
    EXPECT_EQ(NativeFileContents::read(target).wordList(), (QStringList{"KOT", "PIES"}));
}

} // namespace
