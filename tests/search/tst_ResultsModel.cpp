#include "search/ColumnFit.h"
#include "search/ResultsCopy.h"
#include "search/ResultsMenuState.h"
#include "search/ResultsModel.h"
#include "search/SortPrefix.h"
#include "support/PolishWords.h"

#include <QCollator>
#include <QLocale>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QStringList column(const ResultsModel& model, int col = 0) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.text(row, col);
    return texts;
}

TEST(ResultsModel, PolishAlphabeticalOrder) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    ResultRows rows;
    for (const QString& word : scrambled(polishOrder()))
        rows.append(word);
    model.appendRows(std::move(rows));
    EXPECT_EQ(column(model), polishOrder());
}

TEST(ResultsModel, ColumnClickTogglesOrderWhicheverColumn) {
    ResultsModel model;
    model.applyLayout(ResultLayout::scrabble());
    model.appendRows({{"KRUSZEC", "6"}, {"SZCZUREK", "7"}, {"SKURCZE", "6"}, {"UL", "1"}});
    model.columnClick(0); // descending -> ascending, by word
    EXPECT_EQ(column(model), QStringList({"KRUSZEC", "SKURCZE", "SZCZUREK", "UL"}));
    model.columnClick(0);
    EXPECT_EQ(column(model), QStringList({"UL", "SZCZUREK", "SKURCZE", "KRUSZEC"}));
    model.columnClick(1); // another column: the order still flips
    EXPECT_EQ(column(model, 1), QStringList({"1", "6", "6", "7"}));
}

// Many batches of random words against one stable sort of everything: the
// Scrabble list by tiles descending, ties in arrival order, then by word.
// Catches misplaced rows when chunks split and batches interleave.
TEST(ResultsModel, ManyBatchesMatchAStableSort) {
    QRandomGenerator random(20260307);
    const QString letters = QString::fromUtf8("AĄBCĆEĘLŁNŃOÓSŚZŹŻ");
    QStringList expected;
    ResultsModel model;
    model.applyLayout(ResultLayout::scrabble());
    for (int batch = 0; batch < 60; ++batch) {
        ResultRows rows(2);
        for (int i = 0; i < 97; ++i) {
            QString word;
            for (int n = 1 + random.bounded(3); n > 0; --n)
                word += letters.at(random.bounded(letters.size()));
            const QString tiles = QString::number(1 + random.bounded(7));
            rows.append(word, tiles);
            expected << word + QLatin1Char('|') + tiles;
        }
        model.appendRows(std::move(rows));
    }
    const auto shown = [&] {
        QStringList texts;
        for (int row = 0; row < model.rowCount(); ++row)
            texts << model.text(row, 0) + QLatin1Char('|') + model.text(row, 1);
        return texts;
    };
    std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return a.section('|', 1) > b.section('|', 1);
    });
    EXPECT_EQ(shown(), expected);

    model.columnClick(0); // ascending by word, Polish order, ties keep the previous order
    QCollator collator{QLocale(QLocale::Polish)};
    std::stable_sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a.section('|', 0, 0), b.section('|', 0, 0)) < 0;
    });
    EXPECT_EQ(shown(), expected);
}

// The prefix must never contradict the collation it stands in for.
TEST(SortPrefix, AgreesWithThePolishCollationWheneverItDecides) {
    QRandomGenerator random(7);
    const QString chars = QString::fromUtf8("AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻaąćęłńóśźżqvx0129 ");
    QCollator collator{QLocale(QLocale::Polish)};
    int decided = 0;
    for (int i = 0; i < 20000; ++i) {
        QString a;
        for (int n = random.bounded(24); n > 0; --n)
            a += chars.at(random.bounded(chars.size()));
        // Often a near neighbour of a, so equal stretches and prefixes come up.
        QString b = random.bounded(2) ? a.left(random.bounded(a.size() + 1)) : QString();
        for (int n = random.bounded(6); n > 0; --n)
            b += chars.at(random.bounded(chars.size()));
        const int byPrefix = SortPrefix::compare(SortPrefix::of(a), SortPrefix::of(b));
        if (byPrefix == 0)
            continue;
        ++decided;
        ASSERT_EQ(byPrefix, collator.compare(a, b) < 0 ? -1 : 1)
            << a.toStdString() << " / " << b.toStdString();
    }
    EXPECT_GT(decided, 10000);
}

TEST(ResultsCopy, RowsInTheGivenOrderColumnsTabSeparated) {
    ResultsModel model;
    model.addColumn({"Wyraz", ResultColumn::Width::Default, 0});
    model.addColumn({"Litery", ResultColumn::Width::Default, 0});
    model.setSortState(false, 0, ResultsModel::Ascending);
    model.addRow({"KOT", "3"});
    model.addRow({"ŻÓŁW"}); // a row added later has no second text
    model.addRow({"PIES", "4"});
    EXPECT_EQ(ResultsCopy::text(model, {0, 2}), "KOT\t3\nPIES\t4");
    EXPECT_EQ(ResultsCopy::text(model, {1}), "ŻÓŁW\t");
    EXPECT_EQ(ResultsCopy::text(model, {}), QString());
}

struct MenuCase {
    const char* name;
    int rows;
    int selected;
    bool readOnly;
    bool sorted;
    bool descriptions, word, add, remove;
    const char* deleteCaption;
};

const char* const One = "Usuń wyraz";
const char* const Many = "Usuń wyrazy";

const MenuCase menuCases[] = {
    {"rows_none_selected", 5, 0, false, true, false, false, true, false, One},
    {"one_selected", 5, 1, false, true, true, true, true, true, One},
    {"two_selected", 5, 2, false, true, false, false, true, true, Many},
    {"read_only_one_selected", 5, 1, true, true, true, false, false, false, One},
    {"query_results_one_selected", 5, 1, false, false, false, false, false, false, One},
};

class MenuStates : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuStates, EntriesAndCaption) {
    const MenuCase& c = GetParam();
    const ResultsMenuState state = ResultsMenuState::decide(c.rows, c.selected, c.readOnly, c.sorted);
    EXPECT_EQ(state.maintainDescriptions, c.descriptions);
    EXPECT_EQ(state.maintainWord, c.word);
    EXPECT_EQ(state.addWord, c.add);
    EXPECT_EQ(state.deleteWord, c.remove);
    EXPECT_EQ(state.deleteCaption, QString::fromUtf8(c.deleteCaption));
}

INSTANTIATE_TEST_SUITE_P(Table, MenuStates, ::testing::ValuesIn(menuCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FitCase {
    const char* name;
    QVector<int> wanted;
    int available;
    int minimum;
    QVector<int> widths;
};

const FitCase fitCases[] = {
    {"all_fit_keep_their_widths", {40, 120, 60}, 300, 20, {40, 120, 60}},
    {"narrow_keeps_wide_ones_share", {50, 400, 300}, 500, 20, {50, 225, 225}},
    {"what_a_narrow_one_leaves_goes_on", {90, 400, 120}, 400, 20, {90, 190, 120}},
    {"equal_wide_columns_split_evenly", {500, 500, 500}, 300, 20, {100, 100, 100}},
    {"never_below_the_minimum", {200, 200, 200, 200}, 60, 30, {30, 30, 30, 30}},
    {"a_column_wanting_less_than_the_minimum_keeps_it", {10, 500}, 100, 30, {10, 90}},
    {"no_room_at_all", {80, 90}, -10, 25, {25, 25}},
    {"no_columns", {}, 300, 20, {}},
};

class ColumnFitTable : public ::testing::TestWithParam<FitCase> {};

TEST_P(ColumnFitTable, Widths) {
    const FitCase& c = GetParam();
    EXPECT_EQ(ColumnFit::fit(c.wanted, c.available, c.minimum), c.widths);
}

INSTANTIATE_TEST_SUITE_P(Table, ColumnFitTable, ::testing::ValuesIn(fitCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
