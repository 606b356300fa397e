#include "db/native/NativeSchema.h"
#include "db/text/PolishOrder.h"
#include "support/PolishWords.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

QStringList inOrder(const QStringList& words) {
    QStringList out;
    for (quint32 i : PolishOrder::sorted(std::vector<QStringView>(words.begin(), words.end())))
        out << words.at(i);
    return out;
}

TEST(PolishOrder, CollationFollowsThePolishAlphabetIgnoringCase) {
    // Every other word in small letters: the case does not move it.
    QStringList expected = polishOrder();
    for (qsizetype i = 0; i < expected.size(); i += 2)
        expected[i] = expected[i].toLower();
    QStringList words = scrambled(expected);
    std::stable_sort(words.begin(), words.end(),
                     [](const QString& a, const QString& b) { return NativeSchema::compare(a, b) < 0; });
    EXPECT_EQ(words, expected);
    EXPECT_EQ(inOrder(scrambled(expected)), expected) << "sorted by the alphabet's own keys";
    // Z followed by a combining dot above is Ż, which sorts after Ź.
    EXPECT_EQ(NativeSchema::compare(QStringLiteral("CZ\u0307"), QStringLiteral("CŹ")), 1);
    EXPECT_EQ(NativeSchema::compare(QStringLiteral("CZ\u0307"), QStringLiteral("CŻ")), 0);
}

// The quick paths for plain Polish words (the letter table of compare, the
// UTF-8 comparison, the sort keys) must give the collator's answer for any
// text: short words of few letters in both cases, for many shared prefixes
// and ties, now and then a digit, blank, hyphen, foreign letter or combining
// mark, which must take the collator's own path.
TEST(PolishOrder, QuickPathsAgreeWithTheCollator) {
    const QString letters = QStringLiteral("AaĄąCcĆćEeĘęLlŁłNnŃńOoÓóSsŚśZzŹźŻżY");
    const QStringList extras = {"\u0328", "\u0307", "\u0301", "É", "1", " ", "-", "'", "ß", "X"};
    QRandomGenerator random(20240131);
    const auto randomWord = [&] {
        QString w;
        for (int k = random.bounded(0, 6); k > 0; --k)
            w += random.bounded(8) == 0 ? extras.at(random.bounded(int(extras.size())))
                                        : QString(letters.at(random.bounded(int(letters.size()))));
        return w;
    };
    QStringList words;
    for (int i = 0; i < 20000; ++i) {
        const QString a = randomWord();
        const QString b = randomWord();
        const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
        const int expected = NativeSchema::compareIcu(a, b);
        ASSERT_EQ(NativeSchema::compare(a, b), expected) << a.toStdString() << " / " << b.toStdString();
        const int fast =
            PolishOrder::compareUtf8(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
        ASSERT_EQ((fast > 0) - (fast < 0), (expected > 0) - (expected < 0))
            << a.toStdString() << " / " << b.toStdString();
        words << a;
    }
    const QStringList sorted = inOrder(words);
    for (qsizetype i = 1; i < sorted.size(); ++i) {
        const int order = NativeSchema::compare(sorted[i - 1], sorted[i]);
        ASSERT_LE(order, 0) << sorted[i - 1].toStdString() << " / " << sorted[i].toStdString();
        ASSERT_TRUE(order < 0 || sorted[i - 1].compare(sorted[i]) <= 0) << "ties stay in ordinal order";
    }
}

} // namespace
