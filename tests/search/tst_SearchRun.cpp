#include "db/ConnectionString.h"
#include "db/index/WordIndexCache.h"
#include "search/ResultsModel.h"
#include "search/SearchRun.h"
#include "search/SearchTexts.h"
#include "support/TestDictionary.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QStringList letters(const char* text) {
    QStringList fields;
    for (const QChar c : QString::fromUtf8(text))
        fields << (c == QLatin1Char('?') ? QString() : QString(c));
    return fields;
}

// Everything a run hands its caller, and the list a window would show.
struct Recorded {
    ResultLayout layout;
    QList<qint32> refreshes;  // the count at each refresh point
    QList<int> rowsAtRefresh; // rows handed over by then
    SearchOutcome outcome;
    ResultsModel list;

    // Each row as "text/text/...".
    QStringList shown() const {
        QStringList texts;
        for (int row = 0; row < list.rowCount(); ++row) {
            QStringList columns;
            for (int column = 0; column < list.columnCount(); ++column)
                columns << list.text(row, column);
            texts << columns.join(QLatin1Char('/'));
        }
        return texts;
    }
};

Settings limits(qint32 maxRecords = 5000, qint32 refreshRecords = 100) {
    Settings settings;
    settings.MaxRecords = maxRecords;
    settings.RefreshRecords = refreshRecords;
    return settings;
}

// stopAt: the refresh point (1-based) at which the caller sets its stop flag.
void run(Recorded& r, const SearchRequest& request, const QString& connectionString, const Settings& settings,
         int stopAt = 0) {
    bool stop = false;
    SearchRun::Callbacks callbacks;
    callbacks.layout = [&](const ResultLayout& layout) {
        r.layout = layout;
        r.list.applyLayout(layout);
    };
    callbacks.rows = [&](ResultRows&& rows) { r.list.appendRows(std::move(rows)); };
    callbacks.refresh = [&](qint32 listed) {
        r.refreshes << listed;
        r.rowsAtRefresh << r.list.rowCount();
        stop = stop || r.refreshes.size() == stopAt;
    };
    callbacks.stopRequested = [&] { return stop; };
    r.outcome = SearchRun(request, settings).exec(connectionString, callbacks);
}

QStringList numbered(const QString& prefix, int count) {
    QStringList words;
    for (int i = 0; i < count; ++i)
        words << prefix + QString::number(1000 + i);
    return words;
}

// A small dictionary, inserted in Polish alphabetical order so that the
// engine's order (by row or by index) is the same either way.
const QStringList smallDictionary = QStringList({
    "ALA",  "BANAN",     "CIERPKIE", "KANTOR",  "KARDYNAŁ", "KARNAWAŁ", "KARTON",   "KAT",
    "KĄT",  "KONTRA",    "KOT",      "KOTY",    "KROTNA",   "KRUSZEC",  "KRYSZTAŁ", "LAL",
    "PIEC", "PIERŚCIEŃ", "RUPIECIE", "SKURCZE", "SZCZUREK", "ŻÓŁW",
});

// One example of every kind of search against a small dictionary, answered
// both from memory and by the engine alone: the columns, and the rows in the
// order the list shows them.
struct ExampleCase {
    const char* name;
    SearchRequest request;
    std::vector<const char*> shown;
    ResultLayout layout = ResultLayout::words();
};

// clang-format off
const ExampleCase exampleCases[] = {
    {"crossword_letters", CrosswordSearch{letters("K?????AŁ"), false}, {"KARDYNAŁ", "KARNAWAŁ", "KRYSZTAŁ"}},
    {"crossword_all_empty", CrosswordSearch{letters("???"), false}, {"ALA", "KAT", "KĄT", "KOT", "LAL"}},
    {"crossword_lower_case_stored", CrosswordSearch{letters("????"), false}, {"KOTY", "PIEC", "ŻÓŁW"}},
    {"anagram", CrosswordSearch{letters("KROTNA"), true}, {"KANTOR", "KARTON", "KONTRA", "KROTNA"}},
    {"pattern", PatternSearch{"k?t*", false}, {"KAT", "KĄT", "KOT", "KOTY"}},
    {"pattern_with_descriptions", PatternSearch{"PIE*", true}, {"KOT", "PIEC", "PIERŚCIEŃ"}},
    {"scrabble_blank", ScrabbleSearch{"*R???E*", letters("CEIIPŚ?"), false}, {"PIERŚCIEŃ/7", "CIERPKIE/6", "RUPIECIE/6"}, ResultLayout::scrabble()},
    {"scrabble_board_word_alone_not_listed", ScrabbleSearch{"*KOT*", letters("YABCDEF"), false}, {"KOTY/1"}, ResultLayout::scrabble()},
    {"query_columns_and_order", QuerySearch{"select UCASE(WYRAZY.Wyraz) AS Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = OPISY.WyrazID "
                                            "WHERE WYRAZY.WyrazID IN (11, 22) ORDER BY WYRAZY.WyrazID DESC"},
     {"ŻÓŁW/", "KOT/PIESZCZOCH"}, ResultLayout::query({"Wyraz", "Opis"})},
};
// clang-format on

class Example : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(Example, ListsTheWordsInTheirOrder) {
    const ExampleCase& c = GetParam();
    QStringList words = smallDictionary;
    words.replaceInStrings(QStringLiteral("ŻÓŁW"), QStringLiteral("żółw"));
    TestDictionary dict(words, {{11, "PIESZCZOCH"}, {17, "PIEKARNIK"}});
    QStringList expected;
    for (const char* row : c.shown)
        expected << QString::fromUtf8(row);
    for (const bool fromMemory : {true, false}) {
        WordIndexCache::setEnabled(fromMemory);
        Recorded r;
        run(r, c.request, dict.connectionString(), limits());
        WordIndexCache::setEnabled(true);
        EXPECT_EQ(r.outcome.end, SearchOutcome::End::Completed);
        EXPECT_EQ(r.layout, c.layout);
        EXPECT_EQ(r.shown(), expected) << (fromMemory ? "from memory" : "by the engine");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Example, ::testing::ValuesIn(exampleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Refresh points every RefreshRecords rows by the search's own count, the
// rows listed by then handed over first; a stop at a refresh point keeps what
// was listed. The Scrabble search counts records read, but refreshes only at
// a candidate. The limit is the TOP of the statement (for a query, put before
// DISTINCT) unless it is ignored. The pattern search sends its descriptions
// statement only when asked to and the words did not fill the limit, after a
// stop too: these dictionaries have no OPISY table, so that statement fails.
struct RunCase {
    const char* name;
    QStringList words;
    SearchRequest request;
    qint32 maxRecords;
    qint32 refreshRecords;
    QList<qint32> refreshes;
    int listed;
    SearchOutcome::End end = SearchOutcome::End::Completed;
    int stopAt = 0; // the refresh point at which the caller stops the run
    bool ignoreMaxRecords = false;
};

using End = SearchOutcome::End;
const QString long16 = QString(16, QLatin1Char('A')); // one letter too long for any rack
const QString long18 = QStringLiteral("AB") + QString(16, QLatin1Char('B'));
const QStringList kWords = QStringList{"KOT", "KOTY"} + numbered("K", 100);
const SearchRequest letters5 = CrosswordSearch{letters("?????"), false};
const SearchRequest scrabbleA = ScrabbleSearch{"*A*", letters("BC"), false};
const SearchRequest distinct = QuerySearch{"SELECT DISTINCT Wyraz FROM WYRAZY"};
const SearchRequest wordsK = PatternSearch{"K*", false};
const SearchRequest descriptionsK = PatternSearch{"K*", true};

// clang-format off
const RunCase runCases[] = {
    {"crossword_to_the_end", numbered("K", 250), letters5, 5000, 100, {100, 200}, 250},
    {"crossword_stopped_at_the_first_refresh", numbered("K", 250), letters5, 5000, 100, {100}, 100, End::Stopped, 1},
    {"crossword_limit", numbered("K", 250), letters5, 120, 100, {100}, 120},
    {"scrabble_refresh_at_a_candidate", {long16, "AB"}, scrabbleA, 5000, 2, {1}, 1},
    {"scrabble_no_refresh_at_a_word_too_long", {"AB", long18}, scrabbleA, 5000, 2, {}, 1},
    {"query_limit", numbered("K", 30), QuerySearch{"SELECT Wyraz FROM WYRAZY"}, 7, 3, {3, 6}, 7},
    {"query_limit_before_distinct", numbered("K", 30), distinct, 7, 3, {3, 6}, 7},
    {"query_limit_ignored", numbered("K", 30), distinct, 7, 3, {3, 6, 9, 12, 15, 18, 21, 24, 27, 30}, 30, End::Completed, 0, true},
    {"pattern_words_only", kWords, wordsK, 5000, 100, {100}, 102},
    {"pattern_limit_filled_by_the_words", kWords, descriptionsK, 2, 100, {}, 2},
    {"pattern_descriptions_sent", kWords, descriptionsK, 200, 100, {100}, 102, End::Failed},
    {"pattern_descriptions_sent_after_a_stop", kWords, descriptionsK, 5000, 100, {100}, 100, End::Failed, 1},
};
// clang-format on

class RunLimits : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunLimits, RefreshPointsStopAndLimit) {
    const RunCase& c = GetParam();
    TestDictionary dict(c.words);
    dict.exec(QStringLiteral("DROP TABLE OPISY"));
    Settings settings = limits(c.maxRecords, c.refreshRecords);
    settings.IgnoreMaxRecords = c.ignoreMaxRecords;
    Recorded r;
    run(r, c.request, dict.connectionString(), settings, c.stopAt);
    EXPECT_EQ(r.refreshes, c.refreshes);
    EXPECT_EQ(r.rowsAtRefresh, QList<int>(c.refreshes.begin(), c.refreshes.end()));
    EXPECT_EQ(r.list.rowCount(), c.listed);
    EXPECT_EQ(r.outcome.wordsListed, c.listed);
    EXPECT_EQ(r.outcome.end, c.end);
}

INSTANTIATE_TEST_SUITE_P(Table, RunLimits, ::testing::ValuesIn(runCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A refused query ends with neither columns nor rows. Every error end is
// shown; only the user's own query waits for LogQueryErrors to be logged.
TEST(SearchRunErrors, ErrorEndShowsAndLogsWithThePlaceText) {
    TestEnvironment env;
    TestDictionary dict(smallDictionary);
    Recorded query;
    run(query, QuerySearch{"SELECT * FROM NIEMA"}, dict.connectionString(), limits());
    EXPECT_EQ(query.outcome.end, SearchOutcome::End::Failed);
    EXPECT_EQ(query.list.columnCount(), 0);
    Recorded crossword;
    run(crossword, CrosswordSearch{letters("??"), false},
        ConnectionString::build(false, "/nie/ma.mdb", QString()), limits());

    env.mod.settings.LogQueryErrors = false;
    query.outcome.reportError(env.mod);
    crossword.outcome.reportError(env.mod);
    EXPECT_EQ(env.prompts.shown.size(), 2);
    const QList<QByteArray> lines = env.platform.logBytes().split('\n');
    ASSERT_EQ(lines.size(), 2); // one line and the end after it
    EXPECT_TRUE(lines[0].contains("frmMain: btnSearch1_Click")) << lines[0].toStdString();
}

} // namespace
