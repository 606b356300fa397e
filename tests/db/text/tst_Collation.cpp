#include "db/native/NativeSchema.h"
#include "support/PolishWords.h"

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

TEST(Collation, PolishAlphabeticalOrderIgnoringCase) {
    // Every other word in small letters: the case does not move it.
    QStringList expected = polishOrder();
    for (qsizetype i = 0; i < expected.size(); i += 2)
        expected[i] = expected[i].toLower();
    QStringList words = scrambled(expected);
    std::stable_sort(words.begin(), words.end(),
                     [](const QString& a, const QString& b) { return NativeSchema::compare(a, b) < 0; });
    EXPECT_EQ(words, expected);
    EXPECT_EQ(NativeSchema::compare(QStringLiteral("żółw"), QStringLiteral("ŻÓŁW")), 0);
    EXPECT_NE(NativeSchema::compare(QStringLiteral("zolw"), QStringLiteral("ŻÓŁW")), 0);
}

// The quick path for plain Polish words must give the collator's answer for
// any text, including digits, blanks, hyphens and other letters.
TEST(Collation, QuickPathAgreesWithTheCollator) {
    const QString alphabet = QStringLiteral("AaĄąBbCĆćEĘęeŁłNŃńOÓóoSŚśZŹźŻżYXQ -'1é\u0307\u0301\u0328");
    QRandomGenerator random(20240131);
    auto randomText = [&] {
        QString s;
        const int length = random.bounded(0, 7);
        for (int i = 0; i < length; ++i)
            s += alphabet[random.bounded(alphabet.size())];
        return s;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = randomText();
        const QString b = randomText();
        ASSERT_EQ(NativeSchema::compare(a, b), NativeSchema::compareIcu(a, b))
            << a.toStdString() << " vs " << b.toStdString();
    }
}

TEST(Collation, CombiningMarksMakeTheirLetter) {
    // Z followed by a combining dot above is Ż, which sorts after Ź.
    EXPECT_EQ(NativeSchema::compare(QStringLiteral("CZ\u0307"), QStringLiteral("CŹ")), 1);
    EXPECT_EQ(NativeSchema::compare(QStringLiteral("CZ\u0307"), QStringLiteral("CŻ")), 0);
}

} // namespace
