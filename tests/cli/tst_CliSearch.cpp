#include "support/CliRun.h"
#include "support/TestDictionary.h"

#include <gtest/gtest.h>

namespace {

QStringList utf8List(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

QString lines(std::initializer_list<const char*> items) {
    return utf8List(items).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// Inserted out of alphabetical order: the output order is the list's.
const QStringList words =
    utf8List({"ŻÓŁW", "KOTY", "KROTNA", "KARTON", "KOT", "KĄT", "KAT", "KANTOR", "KONTRA", "RUPIECIE",
              "PIERŚCIEŃ", "CIERPKIE", "ZEBRA", "ŹREBIĘ", "ŁOŚ", "LAS"});

TEST(CliSearch, CrosswordLettersInPolishOrder) {
    TestDictionary dict(words);
    const CliRun run = cli({"crossword", dict.path(), "K?T"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, lines({"KAT", "KĄT", "KOT"}));
    EXPECT_EQ(cli({"crossword", dict.path(), "k?t", "--max", "1"}).out.count('\n'), 1);
}

TEST(CliSearch, CrosswordAnagrams) {
    TestDictionary dict(words);
    const CliRun run = cli({"crossword", dict.path(), "KROTNA", "--anagram"});
    EXPECT_EQ(run.out, lines({"KANTOR", "KARTON", "KONTRA", "KROTNA"}));
    const CliRun empty = cli({"crossword", dict.path(), "KRO?NA", "--anagram"});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_EQ(empty.err, QString::fromUtf8("Proszę wypełnić wszystkie pola.\n"));
    EXPECT_TRUE(empty.out.isEmpty());
}

TEST(CliSearch, CrosswordRefusesWhatTheFieldsCannotHold) {
    TestDictionary dict(words);
    EXPECT_EQ(cli({"crossword", dict.path(), "K"}).exitCode, 2);
    EXPECT_EQ(cli({"crossword", dict.path(), "K1T"}).exitCode, 2);
    EXPECT_EQ(cli({"crossword", dict.path(), "????????????????"}).exitCode, 2);
    EXPECT_EQ(cli({"crossword", dict.path(), "K?T", "--max", "0"}).exitCode, 2);
    EXPECT_EQ(cli({"crossword", dict.path(), "K?T", "--max", "10000000"}).exitCode, 2);
    EXPECT_EQ(cli({"crossword", dict.path(), "K?T", "--bogus"}).exitCode, 2);
}

TEST(CliSearch, PatternWithDescriptions) {
    TestDictionary dict(words, {{16, "KOTLINA"}, {2, "KOTKI"}});
    EXPECT_EQ(cli({"pattern", dict.path(), "KOT*"}).out, lines({"KOT", "KOTY"}));
    EXPECT_EQ(cli({"pattern", dict.path(), "KOT*", "--descriptions"}).out, lines({"KOT", "KOTY", "LAS"}));
    const CliRun refused = cli({"pattern", dict.path(), "K%"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err, QString::fromUtf8("Wzorzec zawiera niedozwolony znak.\n"));
}

TEST(CliSearch, ScrabbleWordsWithTilesMostFirst) {
    TestDictionary dict(words);
    const CliRun run = cli({"scrabble", dict.path(), "*R???E*", "CEIIPŚ?"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Highest count first; equal counts keep the order the rows came in.
    QStringList out = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(out.size(), 3) << run.out.toStdString();
    EXPECT_EQ(out.takeFirst(), QString::fromUtf8("PIERŚCIEŃ\t7"));
    out.sort();
    EXPECT_EQ(out, QStringList({"CIERPKIE\t6", "RUPIECIE\t6"}));
    const CliRun blanks = cli({"scrabble", dict.path(), "*A*", "KO???"});
    EXPECT_EQ(blanks.exitCode, 2);
    EXPECT_EQ(blanks.err, QString::fromUtf8("Liczba blanków na stojaku przekracza dwa.\n"));
    EXPECT_EQ(cli({"scrabble", dict.path(), "*A*", "KO???", "--blanks"}).exitCode, 0);
    EXPECT_EQ(cli({"scrabble", dict.path(), "*A*", "ABCDEFGH"}).exitCode, 2);
}

TEST(CliSearch, QueryFollowsTheQuerySearch) {
    TestDictionary dict(words, {{5, "zwierzę\tdomowe"}});
    const CliRun run =
        cli({"query", dict.path(),
             "select Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = OPISY.WyrazID "
             "WHERE Wyraz LIKE 'K_T' ORDER BY WYRAZY.WyrazID",
             "--max", "2"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, lines({"Wyraz\tOpis", "KOT\tzwierzę domowe", "KĄT\t"}));
    EXPECT_EQ(cli({"query", dict.path(), "SELECT Wyraz FROM WYRAZY", "--max", "3"}).out.count('\n'), 4);
    EXPECT_EQ(
        cli({"query", dict.path(), "SELECT Wyraz FROM WYRAZY", "--max", "3", "--ignore-max"}).out.count('\n'),
        17);

    const CliRun write = cli({"query", dict.path(), "DELETE FROM WYRAZY"});
    EXPECT_EQ(write.exitCode, 2);
    EXPECT_EQ(write.err, QString::fromUtf8("Kwerenda powinna zaczynać się od instrukcji SELECT.\n"));
    EXPECT_EQ(cli({"query", dict.path(), ""}).err, QString::fromUtf8("Proszę wypełnić kwerendę.\n"));
    EXPECT_EQ(cli({"query", dict.path(), "SELECT 1; DELETE FROM WYRAZY"}).exitCode, 1);
    EXPECT_EQ(cli({"query", dict.path(), "SELECT COUNT(*) AS Ile FROM WYRAZY"}).out, lines({"Ile", "16"}));
}

TEST(CliSearch, ProviderErrorsGiveNumberAndDescription) {
    TestDictionary dict(words, {}, "tajne;1");
    const CliRun wrong = cli({"crossword", dict.path(), "K?T"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.err.contains(QLatin1Char('\t'))) << wrong.err.toStdString();
    const CliRun right = cli({"crossword", dict.path(), "K?T", "--password", "tajne;1", "--read-only"});
    EXPECT_EQ(right.exitCode, 0) << right.err.toStdString();
    EXPECT_EQ(right.out, lines({"KAT", "KĄT", "KOT"}));
    const CliRun missing = cli({"query", dict.folder() + "/nie-ma.mdb", "SELECT 1"});
    EXPECT_EQ(missing.exitCode, 1);
}

TEST(CliSearch, RepeatPrintsTheMedianOnce) {
    TestDictionary dict(words);
    const CliRun run = cli({"crossword", dict.path(), "K?T", "--repeat", "3"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, lines({"KAT", "KĄT", "KOT"}));
    EXPECT_TRUE(run.err.startsWith(QString::fromUtf8("Mediana przebiegów 2..3: "))) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith(" ms\n"));
}

} // namespace
