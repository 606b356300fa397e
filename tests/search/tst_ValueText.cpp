#include "search/SearchTexts.h"
#include "search/ValueText.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

TEST(ValueText, EachKindOfValueAsTheListShowsIt) {
    const struct {
        QVariant value;
        const char* text;
    } cases[] = {
        {QVariant(), ""},
        {QString::fromUtf8("rock'n'roll"), "rock'n'roll"},
        {qint32(-2147483647 - 1), "-2147483648"},
        {qint64(12345678901234), "12345678901234"},
        {7.0, "7"},
        {-3.5, "-3.5"},
        {QDate(2026, 3, 7), "2026-03-07"},
        {QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)), "2026-03-07 09:05:03"},
        {QDateTime(QDate(2026, 3, 7), QTime(0, 0)), "2026-03-07"},
        {QTime(23, 59, 1), "23:59:01"},
        {QByteArray(1234, '\0'), "<dane binarne: 1234 B>"},
        {true, "Prawda"},
        {false, "Fałsz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueText::of(c.value), QString::fromUtf8(c.text)) << c.value.typeName() << " " << c.text;
}

// Listed words are upper-cased in place when handed over; a text still used
// elsewhere must stay as it was.
TEST(SearchTextsUpper, ChangesOnlyItsOwnCopy) {
    const QString stored = QString::fromUtf8("żółw-Kot ß");
    EXPECT_EQ(SearchTexts::upper(stored), QString::fromUtf8("ŻÓŁW-KOT ß")); // ß has no one-letter capital
    EXPECT_EQ(stored, QString::fromUtf8("żółw-Kot ß"));
    QString owned = QString::fromUtf8("źdźbło");
    EXPECT_EQ(SearchTexts::upper(std::move(owned)), QString::fromUtf8("ŹDŹBŁO"));
    EXPECT_EQ(SearchTexts::upper(QString::fromUtf8("\u0101\u03b1")), QString::fromUtf8("\u0100\u0391"));
}

} // namespace
