#include "search/CrosswordSearch.h"

#include <gtest/gtest.h>

namespace {

// One character per field, "." for an empty field.
QStringList fields(const char* letters) {
    QStringList result;
    for (const QChar c : QString::fromUtf8(letters))
        result << (c == QLatin1Char('.') ? QString() : QString(c));
    return result;
}

TEST(CrosswordValidate, LetterModeAcceptsAnyMixIncludingAllEmpty) {
    EXPECT_FALSE(CrosswordSearch({fields("........"), false}).validate());
    EXPECT_FALSE(CrosswordSearch({fields("K.....AŁ"), false}).validate());
}

TEST(CrosswordValidate, AnagramModeReportsFirstEmptyFieldFromTheLeft) {
    const auto failure = CrosswordSearch{fields("KRO.N."), true}.validate();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, QString::fromUtf8("Proszę wypełnić wszystkie pola."));
    EXPECT_EQ(failure->focus, SearchField::T);
    EXPECT_EQ(failure->index, 3);
    EXPECT_EQ(failure->style, MsgStyle::Warning);

    const auto first = CrosswordSearch{fields(".ROTNA"), true}.validate();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->index, 0);
    EXPECT_FALSE(CrosswordSearch({fields("KROTNA"), true}).validate());
}

struct AnagramCase {
    const char* name;
    const char* word;
    const char* pool;
    bool passes;
};

const AnagramCase anagramCases[] = {
    {"kantor", "KANTOR", "KROTNA", true},
    {"word_equal_to_pool", "KROTNA", "KROTNA", true},
    {"ala_refuses_lal", "LAL", "ALA", false},
    {"lal_refuses_ala", "ALA", "LAL", false},
    {"letter_not_in_pool", "KOTY", "KOTA", false},
    {"polish_letters_are_distinct", "ŁAN", "LAN", false},
    {"polish_letters_match_exactly", "ŻÓŁW", "WŁÓŻ", true},
    {"case_must_match", "kot", "KOT", false},
    {"longer_word", "KOTY", "KOT", false},
};

class Anagram : public ::testing::TestWithParam<AnagramCase> {};

TEST_P(Anagram, PoolRules) {
    const AnagramCase& c = GetParam();
    EXPECT_EQ(CrosswordSearch::isAnagram(QString::fromUtf8(c.word), QString::fromUtf8(c.pool)), c.passes);
}

INSTANTIATE_TEST_SUITE_P(Table, Anagram, ::testing::ValuesIn(anagramCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
