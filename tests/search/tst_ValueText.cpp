#include "search/SearchTexts.h"
#include "search/ValueText.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

TEST(ValueText, NullIsEmptyAndTextUnchanged) {
    EXPECT_EQ(ValueText::of(QVariant()), QString(""));
    EXPECT_EQ(ValueText::of(QString::fromUtf8("rock'n'roll")), QString("rock'n'roll"));
}

TEST(ValueText, NumbersInPlainDecimal) {
    EXPECT_EQ(ValueText::of(QVariant(qint32(-2147483647 - 1))), QString("-2147483648"));
    EXPECT_EQ(ValueText::of(QVariant(qint64(12345678901234))), QString("12345678901234"));
    EXPECT_EQ(ValueText::of(QVariant(7.0)), QString("7"));
    EXPECT_EQ(ValueText::of(QVariant(-3.5)), QString("-3.5"));
}

TEST(ValueText, DatesReadable) {
    EXPECT_EQ(ValueText::of(QDate(2026, 3, 7)), QString("2026-03-07"));
    EXPECT_EQ(ValueText::of(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3))), QString("2026-03-07 09:05:03"));
    EXPECT_EQ(ValueText::of(QDateTime(QDate(2026, 3, 7), QTime(0, 0))), QString("2026-03-07"));
    EXPECT_EQ(ValueText::of(QTime(23, 59, 1)), QString("23:59:01"));
}

TEST(ValueText, BinaryAsShortNoteAndBooleansInWords) {
    EXPECT_EQ(ValueText::of(QByteArray(1234, '\0')), QString("<dane binarne: 1234 B>"));
    EXPECT_EQ(ValueText::of(true), QString("Prawda"));
    EXPECT_EQ(ValueText::of(false), QString::fromUtf8("Fałsz"));
}

} // namespace

namespace {

// Listed words are upper-cased in place when handed over; a text still used
// elsewhere must stay as it was.
TEST(SearchTextsUpper, ChangesOnlyItsOwnCopy) {
    const QString stored = QString::fromUtf8("żółw-Kot ß");
    const QString listed = SearchTexts::upper(stored);
    EXPECT_EQ(listed, QString::fromUtf8("ŻÓŁW-KOT ß")); // ß has no one-letter capital
    EXPECT_EQ(stored, QString::fromUtf8("żółw-Kot ß"));
    QString owned = QString::fromUtf8("źdźbło");
    EXPECT_EQ(SearchTexts::upper(std::move(owned)), QString::fromUtf8("ŹDŹBŁO"));
    EXPECT_EQ(SearchTexts::upper(QString::fromUtf8("\u0101\u03b1")), QString::fromUtf8("\u0100\u0391"));
}

} // namespace
