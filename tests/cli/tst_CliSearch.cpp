#include "support/CliRun.h"
#include "support/TestDictionary.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Each command once, with its options and its refusals: the searches
// themselves are proved below the command line. The words are inserted out of
// alphabetical order: the output order is the list's.
TEST(CliSearch, CommandsOptionsAndRefusals) {
    TestDictionary dict(
        QString::fromUtf8("ŻÓŁW KOTY KROTNA KARTON KOT KĄT KAT KANTOR KONTRA RUPIECIE PIERŚCIEŃ "
                          "CIERPKIE ZEBRA ŹREBIĘ ŁOŚ LAS")
            .split(QLatin1Char(' ')),
        {{16, "KOTLINA"}, {5, "zwierzę\tdomowe"}});
    const QString db = dict.path();
    const struct {
        QStringList args;
        int exitCode;
        const char* out; // nullptr: not checked
        const char* err;
    } cases[] = {
        {{"crossword", db, "k?T"}, 0, "KAT\nKĄT\nKOT\n", ""},
        {{"crossword", db, "K?T", "--max", "1"}, 0, "KOT\n", ""}, // the first in WyrazID order
        {{"crossword", db, "KRO?NA", "--anagram"}, 2, "", "Proszę wypełnić wszystkie pola.\n"},
        {{"crossword", db, "K?T", "--max", "0"}, 2, "", nullptr},
        {{"crossword", db, "K?T", "--bogus"}, 2, "", nullptr},
        {{"pattern", db, "KOT*", "--descriptions"}, 0, "KOT\nKOTY\nLAS\n", ""},
        {{"scrabble", db, "*R???E*", "CEIIPŚ?"}, 0, "PIERŚCIEŃ\t7\nRUPIECIE\t6\nCIERPKIE\t6\n", ""},
        {{"scrabble", db, "*A*", "KO???", "--blanks"}, 0, nullptr, ""},
        {{"query", db,
          "select Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = OPISY.WyrazID "
          "WHERE Wyraz LIKE 'K_T' ORDER BY WYRAZY.WyrazID",
          "--max", "2"},
         0,
         "Wyraz\tOpis\nKOT\tzwierzę domowe\nKĄT\t\n",
         ""},
        {{"query", db, "SELECT WyrazID FROM WYRAZY WHERE WyrazID > 13", "--max", "1", "--ignore-max"},
         0,
         "WyrazID\n14\n15\n16\n",
         ""},
        {{"query", db, "SELECT 1; DELETE FROM WYRAZY"}, 1, "", nullptr},
        {{"query", dict.folder() + "/nie-ma.mdb", "SELECT 1"}, 1, "", nullptr},
    };
    for (const auto& c : cases) {
        const CliRun run = cli(c.args);
        const std::string what = c.args.mid(2).join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what << ": " << run.err.toStdString();
        if (c.out)
            EXPECT_EQ(run.out, QString::fromUtf8(c.out)) << what;
        if (c.err)
            EXPECT_EQ(run.err, QString::fromUtf8(c.err)) << what;
    }
}

TEST(CliSearch, PasswordAndRepeat) {
    TestDictionary dict({"KOT", "KAT"}, {}, "tajne;1");
    const CliRun wrong = cli({"crossword", dict.path(), "K?T"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.err.contains(QLatin1Char('\t'))) << wrong.err.toStdString(); // number, description
    const CliRun run =
        cli({"crossword", dict.path(), "K?T", "--password", "tajne;1", "--read-only", "--repeat", "3"});
    EXPECT_EQ(run.out, QString("KAT\nKOT\n")) << run.err.toStdString();
    const QRegularExpression median(QString::fromUtf8("^Mediana przebiegów 2\\.\\.3: \\d+\\.\\d{3} ms\n$"));
    EXPECT_TRUE(median.match(run.err).hasMatch()) << run.err.toStdString();
}

} // namespace
