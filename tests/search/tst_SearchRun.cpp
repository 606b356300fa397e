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
    int layouts = 0;
    ResultLayout layout;
    QVector<QStringList> rows; // in arrival order
    QList<qint32> refreshes;   // the count at each refresh point
    QList<int> rowsAtRefresh;  // rows handed over by then
    SearchOutcome outcome;
    ResultsModel list;

    QStringList shown(int column = 0) const {
        QStringList texts;
        for (int row = 0; row < list.rowCount(); ++row)
            texts << list.text(row, column);
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
        ++r.layouts;
        r.layout = layout;
        r.list.applyLayout(layout);
    };
    callbacks.rows = [&](ResultRows&& rows) {
        for (qsizetype i = 0; i < rows.size(); ++i)
            r.rows << rows.row(i);
        r.list.appendRows(std::move(rows));
    };
    callbacks.refresh = [&](qint32 listed) {
        r.refreshes << listed;
        r.rowsAtRefresh << static_cast<int>(r.rows.size());
        if (r.refreshes.size() == stopAt)
            stop = true;
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
// both from memory and by the engine alone: the words listed, in the order
// the list shows them, with the tiles column of the Scrabble search.
struct ExampleCase {
    const char* name;
    SearchRequest request;
    std::vector<const char*> shown; // "WORD" or "WORD/tiles"
};

const ExampleCase exampleCases[] = {
    {"crossword_letters", CrosswordSearch{letters("K?????AŁ"), false}, {"KARDYNAŁ", "KARNAWAŁ", "KRYSZTAŁ"}},
    {"crossword_all_empty", CrosswordSearch{letters("???"), false}, {"ALA", "KAT", "KĄT", "KOT", "LAL"}},
    {"crossword_lower_case_stored", CrosswordSearch{letters("????"), false}, {"KOTY", "PIEC", "ŻÓŁW"}},
    {"anagram", CrosswordSearch{letters("KROTNA"), true}, {"KANTOR", "KARTON", "KONTRA", "KROTNA"}},
    {"pattern", PatternSearch{"k?t*", false}, {"KAT", "KĄT", "KOT", "KOTY"}},
    {"pattern_with_descriptions", PatternSearch{"PIE*", true}, {"KOT", "PIEC", "PIERŚCIEŃ"}},
    {"scrabble_blank",
     ScrabbleSearch{"*R???E*", letters("CEIIPŚ?"), false},
     {"PIERŚCIEŃ/7", "CIERPKIE/6", "RUPIECIE/6"}},
    {"scrabble_board_word_alone_not_listed", ScrabbleSearch{"*KOT*", letters("YABCDEF"), false}, {"KOTY/1"}},
};

class Example : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(Example, ListsTheWordsInTheirOrder) {
    const ExampleCase& c = GetParam();
    QStringList words = smallDictionary;
    words.replaceInStrings(QStringLiteral("ŻÓŁW"), QStringLiteral("żółw"));
    TestDictionary dict(words, {{11, "PIESZCZOCH"}, {17, "PIEKARNIK"}});
    QStringList expected;
    for (const char* word : c.shown)
        expected << QString::fromUtf8(word);
    for (const bool fromMemory : {true, false}) {
        WordIndexCache::setEnabled(fromMemory);
        Recorded r;
        run(r, c.request, dict.connectionString(), limits());
        WordIndexCache::setEnabled(true);
        EXPECT_EQ(r.outcome.end, SearchOutcome::End::Completed);
        EXPECT_EQ(r.layouts, 1);
        const bool scrabble = std::holds_alternative<ScrabbleSearch>(c.request);
        EXPECT_EQ(r.layout, scrabble ? ResultLayout::scrabble() : ResultLayout::words());
        QStringList shown = r.shown();
        if (scrabble)
            for (int i = 0; i < shown.size(); ++i)
                shown[i] += QLatin1Char('/') + r.shown(1)[i];
        EXPECT_EQ(shown, expected) << (fromMemory ? "from memory" : "by the engine");
        EXPECT_EQ(r.outcome.wordsListed, expected.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Example, ::testing::ValuesIn(exampleCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Refresh points every RefreshRecords rows, the rest at the end; a stop at a
// refresh point keeps what was listed; the letter mode's limit is its TOP.
TEST(SearchRunCrossword, RefreshPointsStopAndLimit) {
    const struct {
        const char* name;
        qint32 maxRecords;
        int stopAt;
        QList<qint32> refreshes;
        int listed;
        SearchOutcome::End end;
    } cases[] = {
        {"to the end", 5000, 0, {100, 200}, 250, SearchOutcome::End::Completed},
        {"stopped at the first refresh", 5000, 1, {100}, 100, SearchOutcome::End::Stopped},
        {"limit", 120, 0, {100}, 120, SearchOutcome::End::Completed},
    };
    TestDictionary dict(numbered("K", 250));
    for (const auto& c : cases) {
        Recorded r;
        run(r, CrosswordSearch{letters("?????"), false}, dict.connectionString(), limits(c.maxRecords, 100),
            c.stopAt);
        EXPECT_EQ(r.refreshes, c.refreshes) << c.name;
        EXPECT_EQ(r.rowsAtRefresh, QList<int>(c.refreshes.begin(), c.refreshes.end())) << c.name;
        EXPECT_EQ(r.list.rowCount(), c.listed) << c.name;
        EXPECT_EQ(r.outcome.wordsListed, c.listed) << c.name;
        EXPECT_EQ(r.outcome.rowsRead, c.listed) << c.name;
        EXPECT_EQ(r.outcome.end, c.end) << c.name;
    }
}

// The pattern search sends its descriptions statement only when asked to and
// the words did not fill the limit; it is sent after an abort too. Without an
// OPISY table that statement fails, which shows whether it was sent.
TEST(SearchRunPattern, WhenTheDescriptionsStatementIsSent) {
    const struct {
        const char* name;
        bool descriptions;
        qint32 maxRecords;
        int stopAt;
        bool sent;
    } cases[] = {
        {"words only", false, 5000, 0, false},
        {"limit filled by the words", true, 2, 0, false},
        {"limit not filled", true, 200, 0, true},
        {"aborted at the first refresh", true, 5000, 1, true},
    };
    for (const auto& c : cases) {
        TestDictionary dict(QStringList{"KOT", "KOTY"} + numbered("K", 100));
        dict.exec(QStringLiteral("DROP TABLE OPISY"));
        Recorded r;
        run(r, PatternSearch{"K*", c.descriptions}, dict.connectionString(), limits(c.maxRecords, 100),
            c.stopAt);
        EXPECT_EQ(r.outcome.end == SearchOutcome::End::Failed, c.sent) << c.name;
        EXPECT_EQ(r.list.rowCount(), std::min(c.stopAt ? 100 : 102, int(c.maxRecords))) << c.name;
    }
}

TEST(SearchRunScrabble, RefreshCadenceCountsRecordsReadButOnlyAtCandidates) {
    const QString long16 = QString(16, QLatin1Char('A'));
    const QString long18 = QStringLiteral("AB") + QString(16, QLatin1Char('B'));
    {
        // Record 2 is a candidate: the refresh comes.
        TestDictionary dict(QStringList{long16, "AB"});
        Recorded r;
        run(r, ScrabbleSearch{"*A*", letters("BC"), false}, dict.connectionString(), limits(5000, 2));
        EXPECT_EQ(r.refreshes, (QList<qint32>{1}));
    }
    {
        // Record 2 is too long to be a candidate: no refresh at all.
        TestDictionary dict(QStringList{"AB", long18});
        Recorded r;
        run(r, ScrabbleSearch{"*A*", letters("BC"), false}, dict.connectionString(), limits(5000, 2));
        EXPECT_TRUE(r.refreshes.isEmpty());
        EXPECT_EQ(r.outcome.rowsRead, 2);
        EXPECT_EQ(r.shown(), QStringList({"AB"}));
    }
}

TEST(SearchRunQuery, ColumnsFollowTheResultAndRowsKeepTheirOrder) {
    TestDictionary dict(QStringList({"KOT", "KOTY", "ŻÓŁW"}), {{1, "zwierzę"}, {3, "gad"}});
    Recorded r;
    run(r,
        QuerySearch{
            "select UCASE(WYRAZY.Wyraz) AS Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = "
            "OPISY.WyrazID ORDER BY WYRAZY.WyrazID DESC"},
        dict.connectionString(), limits());
    EXPECT_EQ(r.outcome.end, SearchOutcome::End::Completed) << r.outcome.error->description().toStdString();
    EXPECT_FALSE(r.layout.sorted);
    EXPECT_EQ(r.list.headerData(0, Qt::Horizontal).toString(), QString("Wyraz"));
    EXPECT_EQ(r.list.headerData(1, Qt::Horizontal).toString(), QString("Opis"));
    EXPECT_EQ(r.shown(), QStringList({"ŻÓŁW", "KOTY", "KOT"}));
    EXPECT_EQ(r.shown(1), QStringList({"gad", "", "zwierzę"}));
}

TEST(SearchRunQuery, TopInsertedUnlessIgnored) {
    TestDictionary dict(numbered("K", 30));
    Recorded limited;
    run(limited, QuerySearch{"SELECT Wyraz, WyrazID FROM WYRAZY"}, dict.connectionString(), limits(7, 3));
    EXPECT_EQ(limited.list.rowCount(), 7);
    EXPECT_EQ(limited.refreshes, (QList<qint32>{3, 6}));
    EXPECT_EQ(limited.shown(1).first(), QString("1"));

    Settings ignore = limits(7, 100);
    ignore.IgnoreMaxRecords = true;
    Recorded all;
    run(all, QuerySearch{"SELECT DISTINCT Wyraz FROM WYRAZY"}, dict.connectionString(), ignore);
    EXPECT_EQ(all.list.rowCount(), 30);

    Recorded distinct;
    run(distinct, QuerySearch{"SELECT DISTINCT Wyraz FROM WYRAZY"}, dict.connectionString(), limits(7, 100));
    EXPECT_EQ(distinct.list.rowCount(), 7) << distinct.outcome.error->description().toStdString();
}

// A refused query ends with neither columns nor rows; its error is shown
// always and logged only when query errors are logged, unlike others.
TEST(SearchRunErrors, ErrorEndShowsAndLogsWithThePlaceText) {
    TestEnvironment env;
    TestDictionary dict(smallDictionary);
    Recorded r;
    run(r, QuerySearch{"SELECT * FROM NIEMA"}, dict.connectionString(), limits());
    EXPECT_EQ(r.outcome.end, SearchOutcome::End::Failed);
    EXPECT_TRUE(r.outcome.errorInUserQuery);
    EXPECT_EQ(r.layouts, 0);

    env.mod.settings.LogQueryErrors = false;
    r.outcome.reportError(env.mod);
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown.at(0).style, MsgStyle::Error);
    EXPECT_TRUE(env.prompts.shown.at(0).text.startsWith(QString::fromUtf8("Wystąpił błąd numer (")));
    EXPECT_TRUE(env.platform.logBytes().isEmpty());

    env.mod.settings.LogQueryErrors = true;
    r.outcome.reportError(env.mod);
    EXPECT_EQ(env.prompts.shown.size(), 2);
    const QByteArray log = env.platform.logBytes();
    EXPECT_EQ(log.count('\n'), 1);
    EXPECT_EQ(log.mid(20, 50), QByteArray("frmMain: btnSearch4_Click").leftJustified(50, ' '));

    Recorded crossword;
    run(crossword, CrosswordSearch{letters("??"), false},
        ConnectionString::build(false, "/nie/ma.mdb", QString()), limits());
    env.mod.settings.LogQueryErrors = false;
    crossword.outcome.reportError(env.mod);
    const QByteArray both = env.platform.logBytes();
    EXPECT_EQ(both.count('\n'), 2);
    EXPECT_TRUE(both.contains("frmMain: btnSearch1_Click"));
}

} // namespace
