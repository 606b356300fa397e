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

QStringList utf8List(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

TEST(ResultsModel, PolishAlphabeticalOrder) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    const QStringList all = scrambled(polishOrder());
    model.appendRows(words(all.mid(0, 10)));
    model.appendRows(words(all.mid(10)));
    EXPECT_EQ(column(model), polishOrder());
}

// Rows of any width; a text beyond a row's width is empty and can be set.
TEST(ResultsModel, RowsKeepTheirTextsWhateverTheirWidth) {
    ResultsModel model;
    model.applyLayout(ResultLayout::query({"Wyraz", "Opis", "Uwagi"}));
    model.appendRows({{"ALA", "imię", "x"}, {"KOT"}});
    EXPECT_EQ(model.rowTexts(0), (QStringList{"ALA", QString::fromUtf8("imię"), "x"}));
    EXPECT_EQ(model.rowTexts(1), (QStringList{"KOT", "", ""})); // padded to the batch
    EXPECT_EQ(model.addRow({"LIS"}), 2);
    EXPECT_EQ(model.rowTexts(2), QStringList{"LIS"});
    EXPECT_EQ(model.text(2, 2), QString());
    model.setText(2, 2, QStringLiteral("rude"));
    EXPECT_EQ(model.rowTexts(2), (QStringList{"LIS", "", "rude"}));
    model.setText(2, 0, QStringLiteral("LISY"));
    EXPECT_EQ(model.text(2, 0), QStringLiteral("LISY"));
    EXPECT_EQ(model.text(0, 1), QString::fromUtf8("imię"));
}

TEST(ResultsModel, ScrabbleLayoutSortsByLiteryDescendingKeepingArrivalOrderOfTies) {
    ResultsModel model;
    model.applyLayout(ResultLayout::scrabble());
    ASSERT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QString("Wyraz"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QString("Litery"));
    model.appendRows({{"RUPIECIE", "6"}, {"PIERŚCIEŃ", "7"}, {"CIERPKIE", "6"}});
    model.appendRows({{"PIEC", "2"}, {"ABCDEFG", "6"}});
    EXPECT_EQ(column(model), utf8List({"PIERŚCIEŃ", "RUPIECIE", "CIERPKIE", "ABCDEFG", "PIEC"}));
    EXPECT_EQ(column(model, 1), QStringList({"7", "6", "6", "6", "2"}));
}

TEST(ResultsModel, ColumnClickTogglesOrderWhicheverColumn) {
    ResultsModel model;
    model.applyLayout(ResultLayout::scrabble());
    model.appendRows({{"KRUSZEC", "6"}, {"SZCZUREK", "7"}, {"SKURCZE", "6"}, {"UL", "1"}});

    model.columnClick(0); // descending -> ascending, by word
    EXPECT_TRUE(model.sorted());
    EXPECT_EQ(model.sortKey(), 0);
    EXPECT_EQ(model.sortOrder(), ResultsModel::Ascending);
    EXPECT_EQ(column(model), QStringList({"KRUSZEC", "SKURCZE", "SZCZUREK", "UL"}));

    model.columnClick(0);
    EXPECT_EQ(model.sortOrder(), ResultsModel::Descending);
    EXPECT_EQ(column(model), QStringList({"UL", "SZCZUREK", "SKURCZE", "KRUSZEC"}));

    model.columnClick(1); // another column: the order still flips
    EXPECT_EQ(model.sortKey(), 1);
    EXPECT_EQ(model.sortOrder(), ResultsModel::Ascending);
    EXPECT_EQ(column(model, 1), QStringList({"1", "6", "6", "7"}));
}

TEST(ResultsModel, QueryLayoutKeepsArrivalOrderAndSortStateUntilAClick) {
    ResultsModel model;
    model.applyLayout(ResultLayout::scrabble());
    model.clear();
    model.applyLayout(ResultLayout::query({"Wyraz", "Opis"}));
    EXPECT_FALSE(model.sorted());
    EXPECT_EQ(model.sortKey(), 1); // left as it was
    EXPECT_EQ(model.sortOrder(), ResultsModel::Descending);
    model.appendRows({{"ZEW", ""}, {"ALA", "imię"}, {"KOT", "zwierzę"}});
    EXPECT_EQ(column(model), QStringList({"ZEW", "ALA", "KOT"}));

    model.columnClick(0);
    EXPECT_TRUE(model.sorted());
    EXPECT_EQ(model.sortOrder(), ResultsModel::Ascending);
    EXPECT_EQ(column(model), QStringList({"ALA", "KOT", "ZEW"}));
    EXPECT_EQ(model.rowTexts(0), QStringList({"ALA", QString::fromUtf8("imię")}));
}

TEST(ResultsModel, SelectionFollowsRowsWhenABatchIsSorted) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    model.appendRows(words({"BAL", "KOT", "ZEW"}));
    QPersistentModelIndex kot(model.index(1, 0));
    QPersistentModelIndex zew(model.index(2, 0));
    model.appendRows(words({"ALA", "LIS", "AAA"}));
    QPersistentModelIndex lis(model.index(4, 0));
    EXPECT_EQ(kot.data().toString(), QString("KOT"));
    EXPECT_EQ(zew.data().toString(), QString("ZEW"));
    EXPECT_EQ(lis.data().toString(), QString("LIS"));

    model.columnClick(0); // descending
    EXPECT_EQ(kot.data().toString(), QString("KOT"));
    EXPECT_EQ(zew.row(), 0);
}

TEST(ResultsModel, SetTextMovesRowToItsSortedPlace) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    model.appendRows(words({"ALA", "BAL", "KOT", "ZEW"}));
    EXPECT_EQ(model.setText(0, 0, "MAK"), 2);
    EXPECT_EQ(column(model), QStringList({"BAL", "KOT", "MAK", "ZEW"}));
    EXPECT_EQ(model.setText(3, 0, "AAA"), 0);
    EXPECT_EQ(column(model), QStringList({"AAA", "BAL", "KOT", "MAK"}));
    EXPECT_EQ(model.setText(1, 0, "BAR"), 1);
    EXPECT_EQ(column(model), QStringList({"AAA", "BAR", "KOT", "MAK"}));
}

TEST(ResultsModel, AddAndRemoveRows) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    model.appendRows(words({"ALA", "KOT", "ZEW"}));
    EXPECT_EQ(model.addRow({"LIS"}), 2);
    EXPECT_TRUE(model.removeRow(0));
    EXPECT_TRUE(model.removeRows(1, 2));
    EXPECT_EQ(column(model), QStringList({"KOT"}));
    EXPECT_FALSE(model.removeRows(1, 1));
    EXPECT_EQ(model.addRow({"ALA"}), 0);
    EXPECT_EQ(column(model), QStringList({"ALA", "KOT"}));
}

TEST(ResultsModel, ClearRemovesItemsAndColumns) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    model.appendRows(words({"ALA"}));
    model.clearItems();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 1);
    model.appendRows(words({"KOT"}));
    model.clearColumns();
    EXPECT_EQ(model.columnCount(), 0);
    EXPECT_EQ(model.rowCount(), 1);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
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

TEST(SortPrefix, OtherCharactersLeaveItToTheCollation) {
    EXPECT_FALSE(SortPrefix::of(QString::fromUtf8("KOT-EK")).known());
    EXPECT_FALSE(SortPrefix::of(QString::fromUtf8("CAFÉ")).known());
    EXPECT_FALSE(SortPrefix::of(QString::fromUtf8("A\u0328")).known()); // A with a combining ogonek
    EXPECT_TRUE(SortPrefix::of(QString::fromUtf8("ŻÓŁW żółw 12")).known());
    // Beyond twenty characters only the first twenty count.
    EXPECT_EQ(
        SortPrefix::compare(SortPrefix::of(QString(20, 'A') + "B"), SortPrefix::of(QString(20, 'A') + "-")),
        0);
    EXPECT_EQ(SortPrefix::compare(SortPrefix::of("ALA"), SortPrefix::of("ala")), 0);
    EXPECT_EQ(SortPrefix::compare(SortPrefix::of("AL"), SortPrefix::of("ALA")), -1);
}

TEST(ResultsModel, MixedTextsSortByTheCollationAlone) {
    ResultsModel model;
    model.applyLayout(ResultLayout::words());
    model.appendRows(
        words(utf8List({"kot", "KOT", "KOT-EK", "KOTEK", "CAFÉ", "CAFE", "ŻÓŁW", "A\u0328B", "ĄA"})));
    QStringList expected = column(model);
    QCollator collator{QLocale(QLocale::Polish)};
    std::stable_sort(expected.begin(), expected.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    EXPECT_EQ(column(model), expected);
}

} // namespace
