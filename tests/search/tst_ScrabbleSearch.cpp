#include "search/ScrabbleSearch.h"

#include <gtest/gtest.h>

namespace {

// One character per rack field, "?" for a blank (an empty field).
QStringList rack(const char* tiles) {
    QStringList result;
    for (const QChar c : QString::fromUtf8(tiles))
        result << (c == QLatin1Char('?') ? QString() : QString(c));
    return result;
}

ScrabbleSearch search(const char* pattern, const char* tiles, bool manyBlanks = false) {
    return ScrabbleSearch{QString::fromUtf8(pattern), rack(tiles), manyBlanks};
}

const char* const noWildcard = "Wzorzec nie zawiera żadnego symbolu wieloznacznego (*, ?).";
const char* const badChar = "Wzorzec zawiera niedozwolony znak.";
const char* const noLetter = "Proszę podać minimum jedną literę we wzorcu.";
const char* const over14 = "Liczba liter we wzorcu przekracza 14.";
const char* const over15 = "Liczba liter oraz znaków (?) we wzorcu przekracza 15.";
const char* const smallRack = "Liczba liter na stojaku jest mniejsza niż liczba znaków (?).";
const char* const manyBlanks = "Liczba blanków na stojaku przekracza dwa.";

struct CheckCase {
    const char* name;
    const char* pattern;
    const char* rack;
    bool manyBlanks;
    const char* message; // nullptr: every check passes
};

const CheckCase checkCases[] = {
    {"step1_empty", "", "ABCDEFG", false, "Proszę wypełnić wzorzec."},
    {"step2_no_wildcard", "KOT", "ABCDEFG", false, noWildcard},
    {"step2_before_char_check", "K1T", "ABCDEFG", false, noWildcard},
    {"step3_digit", "K1*", "ABCDEFG", false, badChar},
    {"step4_star_alone", "*", "ABCDEFG", false, noLetter},
    {"step5_fifteen_letters", "ABCDEFGHIJKLMNO*", "ABCDEFG", false, over14},
    {"step5_fourteen_letters_pass", "ABCDEFGHIJKLMN*", "ABCDEFG", false, nullptr},
    {"step6_one_letter_fifteen_questions", "A???????????????*", "ABCDEFG", false, over15},
    {"step6_fifteen_total_passes_to_step7", "A??????????????*", "ABCDEFG", false, smallRack},
    {"step6_fourteen_letters_and_two_questions", "ABCDEFGHIJKLMN??", "ABCDEFG", false, over15},
    {"step7_rack_of_two_three_questions", "???A*", "KO", false, smallRack},
    {"step7_rack_of_two_two_questions", "??A*", "KO", false, nullptr},
    {"step7_counts_empty_fields", "??A*", "??", false, nullptr},
    {"step8_three_blanks", "*A*", "KO???", false, manyBlanks},
    {"step8_three_blanks_allowed", "*A*", "KO???", true, nullptr},
    {"step8_two_blanks_pass", "*A*", "KO??", false, nullptr},
    {"lower_case_pattern", "*ą?", "ABCDEFG", false, nullptr},
};

class ScrabbleChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(ScrabbleChecks, FirstFailingCheckInOrder) {
    const CheckCase& c = GetParam();
    const auto failure = search(c.pattern, c.rack, c.manyBlanks).validate();
    if (!c.message) {
        EXPECT_FALSE(failure) << failure->message.toStdString();
        return;
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, QString::fromUtf8(c.message));
    EXPECT_EQ(failure->style, MsgStyle::Warning);
    // Every check sends the focus to the pattern except the blanks check.
    EXPECT_EQ(failure->focus, c.message == manyBlanks ? SearchField::Unchanged : SearchField::txtPattern);
}

INSTANTIATE_TEST_SUITE_P(Table, ScrabbleChecks, ::testing::ValuesIn(checkCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct FitCase {
    const char* name;
    const char* pattern;
    const char* rack;
    const char* word;
    int expected; // -1: not a candidate
};

const FitCase fitCases[] = {
    {"pierscien_blank_for_n", "*R???E*", "CEIIPŚ?", "PIERŚCIEŃ", 7},
    {"szczurek", "*U*", "CEKRSZZ", "SZCZUREK", 7},
    {"board_letters_alone", "*KOT*", "ABCDEFG", "KOT", 0},
    {"third_occurrence_needs_blank", "*A*", "KK?", "KAKK", 3},
    {"third_occurrence_without_blank", "*A*", "KKO", "KAKK", 0},
    {"exact_letter_before_blank", "*A*", "?K", "KAT", 2},
    {"second_occurrence_takes_the_blank", "*A*", "?K", "KAK", 2},
    {"blank_used_once", "*A*", "?K", "KAKK", 0},
    {"lower_case_rack", "*A*", "kot", "KOTA", 3},
    {"no_star_length_must_match", "K?T", "OA", "KOTY", -1},
    {"star_too_short", "*A??", "BCDEFGH", "AB", -1},
    {"star_sixteen_letters", "*A*", "???????", "ABCDEFGHIJKLMNOP", -1},
    {"star_fifteen_letters_fits_none", "*A*", "???????", "ABCDEFGHIJKLMNO", 0},
    {"board_letter_missing_is_skipped", "*Ą*", "ABC", "KAT", 0},
    {"rack_too_small", "*A*", "KO", "KOTA", 0},
};

class ScrabbleFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(ScrabbleFit, TilesUsed) {
    const FitCase& c = GetParam();
    const auto decided = search(c.pattern, c.rack, true).matcher().decide(QString::fromUtf8(c.word));
    if (c.expected < 0) {
        EXPECT_FALSE(decided);
        return;
    }
    ASSERT_TRUE(decided);
    EXPECT_EQ(*decided, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ScrabbleFit, ::testing::ValuesIn(fitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScrabbleRemainder, BoardLettersCutAtFirstOccurrence) {
    const auto m = search("*A?A*", "ABC").matcher();
    EXPECT_EQ(m.remainder("BANANA"), std::optional<QString>("BNNA"));
    EXPECT_EQ(m.remainder("KOT"), std::nullopt);
    EXPECT_EQ(search("*R???E*", "ABC").matcher().remainder(QString::fromUtf8("PIERŚCIEŃ")),
              std::optional<QString>(QString::fromUtf8("PIŚCIEŃ")));
}

} // namespace
