#include "search/ResultsModel.h"
#include "search/SortPrefix.h"
#include "support/PolishWords.h"

#include <QCollator>
#include <QLocale>
#include <QPersistentModelIndex>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QStringList column(const ResultsModel& model, int col = 0) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.text(row, col);
    return texts;
}

ResultRows words(const QStringList& list) {
    ResultRows rows;
    for (const QString& w : list)
        rows.append(w);
    return rows;
}

TEST(ResultsModel, PolishAlphabeticalOrder) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    const QStringList all = scrambled(polishOrder());
    model.appendRows(words(all.mid(0, 10)));
    model.appendRows(words(all.mid(10)));
    EXPECT_EQ(column(model), polishOrder());
}

TEST(ResultsModel, ScrabbleLayoutSortsByLiteryDescendingKeepingArrivalOrderOfTies) {
    ResultsModel model;
    model.applyLayout(ResultLayout::scrabble());
    model.appendRows({{"RUPIECIE", "6"}, {"PIERŚCIEŃ", "7"}, {"CIERPKIE", "6"}});
    model.appendRows({{"PIEC", "2"}, {"ABCDEFG", "6"}});
    EXPECT_EQ(column(model), QStringList({"PIERŚCIEŃ", "RUPIECIE", "CIERPKIE", "ABCDEFG", "PIEC"}));
    EXPECT_EQ(column(model, 1), QStringList({"7", "6", "6", "6", "2"}));
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

// Many batches of random words against one stable sort of everything: catches
// misplaced rows when chunks split and batches interleave.
TEST(ResultsModel, ManyBatchesMatchAStableSort) {
    QRandomGenerator random(20260307);
    const QString letters = QString::fromUtf8("AĄBCĆEĘLŁNŃOÓSŚZŹŻ");
    QStringList all;
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
            all << word + QLatin1Char('|') + tiles;
        }
        model.appendRows(rows);
    }
    ASSERT_EQ(model.rowCount(), all.size());
    // Expected: by tiles descending, ties in arrival order.
    QStringList expected = all;
    std::stable_sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return a.section('|', 1) > b.section('|', 1);
    });
    QStringList actual;
    for (int row = 0; row < model.rowCount(); ++row)
        actual << model.text(row, 0) + QLatin1Char('|') + model.text(row, 1);
    EXPECT_EQ(actual, expected);

    model.columnClick(0); // ascending by word, Polish order, ties keep the previous order
    QCollator collator{QLocale(QLocale::Polish)};
    std::stable_sort(expected.begin(), expected.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a.section('|', 0, 0), b.section('|', 0, 0)) < 0;
    });
    actual.clear();
    for (int row = 0; row < model.rowCount(); ++row)
        actual << model.text(row, 0) + QLatin1Char('|') + model.text(row, 1);
    EXPECT_EQ(actual, expected);
}

} // namespace

namespace {

// The prefix must never contradict the collation it stands in for.
TEST(SortPrefix, AgreesWithThePolishCollationWheneverItDecides) {
    QRandomGenerator random(7);
    const QString chars = QString::fromUtf8("AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻaąćęłńóśźżqvx0129 ");
    QCollator collator{QLocale(QLocale::Polish)};
    int decided = 0;
    for (int i = 0; i < 20000; ++i) {
        QString a;
        QString b;
        for (int n = random.bounded(24); n > 0; --n)
            a += chars.at(random.bounded(chars.size()));
        // Often a near neighbour of a, so equal stretches and prefixes come up.
        b = random.bounded(2) ? a.left(random.bounded(a.size() + 1)) : QString();
        for (int n = random.bounded(6); n > 0; --n)
            b += chars.at(random.bounded(chars.size()));
        const int byPrefix = SortPrefix::compare(SortPrefix::of(a), SortPrefix::of(b));
        if (byPrefix == 0)
            continue;
        ++decided;
        const int byCollator = collator.compare(a, b);
        ASSERT_EQ(byPrefix, byCollator < 0 ? -1 : 1) << a.toStdString() << " / " << b.toStdString();
    }
    EXPECT_GT(decided, 10000);
}

} // namespace
