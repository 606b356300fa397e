#include "db/NativeSchema.h"
#include "db/PolishOrder.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <random>

namespace {

std::vector<QStringView> views(const QStringList& words) {
    return std::vector<QStringView>(words.begin(), words.end());
}

QStringList inOrder(const QStringList& words) {
    QStringList out;
    for (quint32 i : PolishOrder::sorted(views(words)))
        out << words.at(i);
    return out;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(PolishOrder, SortsInPolishAlphabeticalOrder) {
    const QStringList shuffled = {"ŻABA", "ZEBRA", "ŹREBIĘ", "ĄB", "AB",   "ABA",  "CZAS", "ĆMA",
                                  "LUK",  "ŁUK",   "ŁAWA",   "ÓW", "OWCA", "ŚWIT", "SYN"};
    EXPECT_EQ(inOrder(shuffled), (QStringList{"AB", "ABA", "ĄB", "CZAS", "ĆMA", "LUK", "ŁAWA", "ŁUK", "OWCA",
                                              "ÓW", "SYN", "ŚWIT", "ZEBRA", "ŹREBIĘ", "ŻABA"}));
}

TEST(PolishOrder, KeepsIdenticalWordsTogetherInTheirOrder) {
    const QStringList words = {"KOT", "ALA", "KOT", "kot", "ALA", "KOT"};
    const std::vector<quint32> order = PolishOrder::sorted(views(words));
    EXPECT_EQ(order, (std::vector<quint32>{1, 4, 0, 2, 5, 3})); // "KOT" before "kot" ordinally, then by index
}

TEST(PolishOrder, FallsBackToTheCollatorForOtherCharacters) {
    // Digits and foreign letters take the ICU path; the result must still agree with the collation.
    const QStringList words = {"ŻUK", "É", "B2", "ZA", "A-1", "kot", "Éa", "KOTY", "1", "ŁÓDŹ", "b1"};
    const QStringList sorted = inOrder(words);
    ASSERT_EQ(sorted.size(), words.size());
    for (qsizetype i = 1; i < sorted.size(); ++i)
        EXPECT_LE(NativeSchema::compare(sorted[i - 1], sorted[i]), 0)
            << sorted[i - 1].toStdString() << " / " << sorted[i].toStdString();
}

TEST(PolishOrder, FastComparisonAgreesWithTheCollator) {
    // Few distinct letters and short words give many shared prefixes and ties.
    const QString letters = QStringLiteral("AaĄąZzŹźŻżLlŁłOoÓóEeĘęSsŚś");
    std::mt19937 random(20240601);
    const auto randomWord = [&] {
        QString w;
        const int length = static_cast<int>(random() % 5);
        for (int i = 0; i < length; ++i)
            w += letters.at(static_cast<qsizetype>(random() % letters.size()));
        return w;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = randomWord();
        const QString b = randomWord();
        const QByteArray ua = a.toUtf8();
        const QByteArray ub = b.toUtf8();
        int fast = 99;
        ASSERT_TRUE(PolishOrder::compareAlphabetUtf8(ua.constData(), static_cast<int>(ua.size()),
                                                     ub.constData(), static_cast<int>(ub.size()), &fast));
        ASSERT_EQ(fast, sign(NativeSchema::compare(a, b))) << a.toStdString() << " / " << b.toStdString();
    }
}

TEST(PolishOrder, EveryLetterOfTheAlphabetInBothCases) {
    const QString alphabet = QStringLiteral("AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ");
    for (qsizetype i = 0; i < alphabet.size(); ++i) {
        for (qsizetype j = 0; j < alphabet.size(); ++j) {
            for (const QString& a : {QString(alphabet[i]), QString(alphabet[i]).toLower()}) {
                const QString b = QString(alphabet[j]).toLower();
                const QByteArray ua = a.toUtf8();
                const QByteArray ub = b.toUtf8();
                int fast = 99;
                ASSERT_TRUE(PolishOrder::compareAlphabetUtf8(ua.constData(), static_cast<int>(ua.size()),
                                                             ub.constData(), static_cast<int>(ub.size()),
                                                             &fast));
                EXPECT_EQ(fast, sign(NativeSchema::compare(a, b)))
                    << a.toStdString() << " / " << b.toStdString();
                EXPECT_EQ(fast, i < j ? -1 : i > j ? 1 : 0);
            }
        }
    }
}

TEST(PolishOrder, LeavesOtherTextsToTheCollator) {
    const char* cases[][2] = {
        {"KOT", "KOT1"},
        {"KOT ", "KOT"},
        {"É", "E"},
        {"A\xCC\xA8", "\xC4\x84"}, // A + combining ogonek = Ą
        {"ABC", "ABD\xCC\xA8"},    // a mark after the first difference
        {"\xC4", "A"},             // a broken UTF-8 sequence
    };
    for (const auto& c : cases) {
        int result = 99;
        EXPECT_FALSE(PolishOrder::compareAlphabetUtf8(c[0], static_cast<int>(strlen(c[0])), c[1],
                                                      static_cast<int>(strlen(c[1])), &result))
            << c[0] << " / " << c[1];
        EXPECT_EQ(result, 99);
    }
}

} // namespace
