#include "common/modMain.h"
#include "search/SearchRequest.h"

#include <gtest/gtest.h>

namespace {

struct CharsCase {
    const char* name;
    const char* text;
    bool chars;
    bool pattern;
};

const CharsCase charsCases[] = {
    {"empty", "", true, true},
    {"lower_polish_upper_cased", "żółw", true, true},
    {"all_nine_polish", "ĄĆĘŁŃÓŚŹŻąćęłńóśźż", true, true},
    {"q_v_x", "QVXqvx", true, true},
    {"accented_e_refused", "É", false, false},
    {"second_char_digit", "A1", false, false},
    {"question_marks", "K?????AŁ", false, true},
    {"star", "B??Y*K", false, true},
    {"apostrophe", "O'K", false, false},
};

class CheckCharsAndPattern : public ::testing::TestWithParam<CharsCase> {};

TEST_P(CheckCharsAndPattern, AcceptsOnlyTheAlphabet) {
    const CharsCase& c = GetParam();
    EXPECT_EQ(modMain::CheckChars(QString::fromUtf8(c.text)), c.chars);
    EXPECT_EQ(modMain::CheckPattern(QString::fromUtf8(c.text)), c.pattern);
}

INSTANTIATE_TEST_SUITE_P(Table, CheckCharsAndPattern, ::testing::ValuesIn(charsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckNumeric, DigitsOnlyAndNotEmpty) {
    // Arabic-Indic digits are digits, but not "0".."9".
    for (const auto& [text, numeric] : {std::pair<const char*, bool>{"", false},
                                        {"007", true},
                                        {"-5", false},
                                        {"1.5", false},
                                        {"١٢", false}})
        EXPECT_EQ(modMain::CheckNumeric(QString::fromUtf8(text)), numeric) << text;
}

TEST(UATrim, DoublesApostrophesThenTrimsSpacesOnly) {
    EXPECT_EQ(modMain::UATrim("  o'clock "), QString("o''clock"));
    EXPECT_EQ(modMain::UATrim("\tKOT\t"), QString("\tKOT\t"));
    EXPECT_EQ(modMain::UATrim("rock'n'roll"), QString("rock''n''roll"));
}

// The input checks of the four searches: the first check failed, its warning
// and where the focus goes. "." is an empty letter or rack field.
QStringList fields(const char* text) {
    QStringList result;
    for (const QChar c : QString::fromUtf8(text))
        result << (c == QLatin1Char('.') ? QString() : QString(c));
    return result;
}

SearchRequest scrabble(const char* pattern, const char* rack, bool manyBlanks = false) {
    return ScrabbleSearch{QString::fromUtf8(pattern), fields(rack), manyBlanks};
}

const char* const fillAll = "Proszę wypełnić wszystkie pola.";
const char* const fillPattern = "Proszę wypełnić wzorzec.";
const char* const badChar = "Wzorzec zawiera niedozwolony znak.";
const char* const noWildcard = "Wzorzec nie zawiera żadnego symbolu wieloznacznego (*, ?).";
const char* const noLetter = "Proszę podać minimum jedną literę we wzorcu.";
const char* const over14 = "Liczba liter we wzorcu przekracza 14.";
const char* const over15 = "Liczba liter oraz znaków (?) we wzorcu przekracza 15.";
const char* const smallRack = "Liczba liter na stojaku jest mniejsza niż liczba znaków (?).";
const char* const manyBlanks = "Liczba blanków na stojaku przekracza dwa.";
const char* const notSelect = "Kwerenda powinna zaczynać się od instrukcji SELECT.";

struct InputCase {
    const char* name;
    SearchRequest request;
    const char* message; // nullptr: every check passes
    SearchField focus = SearchField::Unchanged;
    int index = -1;
};

using F = SearchField;

// clang-format off
const InputCase inputCases[] = {
    {"crossword_letters_all_empty", CrosswordSearch{fields("........"), false}, nullptr},
    {"anagram_first_empty_field_from_the_left", CrosswordSearch{fields("KRO.N."), true}, fillAll, F::T, 3},
    {"anagram_first_field_empty", CrosswordSearch{fields(".ROTNA"), true}, fillAll, F::T, 0},
    {"anagram_all_filled", CrosswordSearch{fields("KROTNA"), true}, nullptr},
    {"pattern_empty", PatternSearch{"", false}, fillPattern, F::txtPattern},
    {"pattern_digit", PatternSearch{"K1*", false}, badChar, F::txtPattern},
    {"pattern_lower_polish_and_wildcards", PatternSearch{QString::fromUtf8("żó?w*"), false}, nullptr},
    {"scrabble_empty", scrabble("", "ABCDEFG"), fillPattern, F::txtPattern},
    {"scrabble_no_wildcard_told_before_bad_char", scrabble("K1T", "ABCDEFG"), noWildcard, F::txtPattern},
    {"scrabble_digit", scrabble("K1*", "ABCDEFG"), badChar, F::txtPattern},
    {"scrabble_star_alone", scrabble("*", "ABCDEFG"), noLetter, F::txtPattern},
    {"scrabble_fifteen_letters", scrabble("ABCDEFGHIJKLMNO*", "ABCDEFG"), over14, F::txtPattern},
    {"scrabble_fourteen_letters", scrabble("ABCDEFGHIJKLMN*", "ABCDEFG"), nullptr},
    {"scrabble_sixteen_letters_and_questions", scrabble("ABCDEFGHIJKLMN??", "ABCDEFG"), over15, F::txtPattern},
    {"scrabble_fifteen_letters_and_questions", scrabble("A??????????????*", "ABCDEFG"), smallRack, F::txtPattern},
    {"scrabble_rack_smaller_than_questions", scrabble("???A*", "KO"), smallRack, F::txtPattern},
    {"scrabble_empty_rack_fields_count", scrabble("??A*", ".."), nullptr},
    {"scrabble_three_blanks", scrabble("*A*", "KO..."), manyBlanks, F::Unchanged},
    {"scrabble_three_blanks_allowed", scrabble("*A*", "KO...", true), nullptr},
    {"scrabble_two_blanks", scrabble("*A*", "KO.."), nullptr},
    {"query_empty", QuerySearch{""}, "Proszę wypełnić kwerendę.", F::txtQuery},
    {"query_spaces_only", QuerySearch{"   "}, notSelect, F::txtQuery},
    {"query_leading_line_break", QuerySearch{"\nSELECT * FROM WYRAZY"}, notSelect, F::txtQuery},
    {"query_shorter_than_select", QuerySearch{"SEL"}, notSelect, F::txtQuery},
    {"query_leading_spaces_any_case", QuerySearch{"   SeLeCt 1"}, nullptr},
};
// clang-format on

class InputChecks : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputChecks, FirstFailingCheck) {
    const InputCase& c = GetParam();
    const std::optional<ValidationFailure> failure = validate(c.request);
    std::optional<ValidationFailure> expected;
    if (c.message)
        expected = ValidationFailure{QString::fromUtf8(c.message), c.focus, c.index}; // always a warning
    EXPECT_EQ(failure, expected) << (failure ? failure->message.toStdString() : "accepted");
}

INSTANTIATE_TEST_SUITE_P(Table, InputChecks, ::testing::ValuesIn(inputCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
