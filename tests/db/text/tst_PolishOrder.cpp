#include "db/native/NativeSchema.h"
#include "db/text/PolishOrder.h"
#include "support/PolishWords.h"

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

TEST(PolishOrder, SortsInPolishAlphabeticalOrder) {
    EXPECT_EQ(inOrder(scrambled(polishOrder())), polishOrder());
}

TEST(PolishOrder, AgreesWithTheCollationOnRandomWords) {
    // Few distinct letters in both cases and short words: many shared prefixes and ties.
    const QString letters = QStringLiteral("AaĄąZzŹźŻżLlŁłOoÓóEeĘęSsŚśCcĆćNnŃń");
    std::mt19937 random(20240601);
    QStringList words;
    for (int i = 0; i < 5000; ++i) {
        QString w;
        const int length = static_cast<int>(random() % 5);
        for (int k = 0; k < length; ++k)
            w += letters.at(static_cast<qsizetype>(random() % letters.size()));
        words << w;
    }
    const QStringList sorted = inOrder(words);
    for (qsizetype i = 1; i < sorted.size(); ++i) {
        const int order = NativeSchema::compare(sorted[i - 1], sorted[i]);
        ASSERT_LE(order, 0) << sorted[i - 1].toStdString() << " / " << sorted[i].toStdString();
        if (order == 0) { // ties stay in ordinal order
            ASSERT_LE(sorted[i - 1].compare(sorted[i]), 0);
        }
    }
}

TEST(PolishOrder, Utf8ComparisonIsTheCollations) {
    // Alphabet words in both cases, and some with digits, spaces, foreign letters and
    // a combining mark, which must take the collation's own path.
    const QStringList extras = {"A\u0328", "É", "e", "1", " ", "Z\u0307", "ß", "kot "};
    const QString letters = QStringLiteral("AaĄąZzŹźŻżLlŁłOoÓóEeĘę");
    std::mt19937 random(7);
    const auto randomWord = [&] {
        QString w;
        const int length = static_cast<int>(random() % 5);
        for (int k = 0; k < length; ++k)
            w += random() % 10 == 0 ? extras.at(static_cast<qsizetype>(random() % extras.size()))
                                    : QString(letters.at(static_cast<qsizetype>(random() % letters.size())));
        return w;
    };
    for (int i = 0; i < 20000; ++i) {
        const QString a = randomWord();
        const QString b = randomWord();
        const QByteArray ua = a.toUtf8();
        const QByteArray ub = b.toUtf8();
        const int fast = PolishOrder::compareUtf8(ua.constData(), static_cast<int>(ua.size()), ub.constData(),
                                                  static_cast<int>(ub.size()));
        const int expected = NativeSchema::compare(a, b);
        ASSERT_EQ((fast > 0) - (fast < 0), (expected > 0) - (expected < 0))
            << a.toStdString() << " / " << b.toStdString();
    }
}

} // namespace
