#include "common/modMain.h"

#include <gtest/gtest.h>

namespace {

struct CheckCase {
    const char* name;
    const char* text;
    bool chars;
    bool pattern;
};

const CheckCase checkCases[] = {
    {"empty", "", true, true},
    {"lower_polish_upper_cased", "żółw", true, true},
    {"all_nine_polish", "ĄĆĘŁŃÓŚŹŻąćęłńóśźż", true, true},
    {"q_v_x", "QVXqvx", true, true},
    {"accented_e_refused", "É", false, false},
    {"digit", "7", false, false},
    {"second_char_digit", "A1", false, false},
    {"question_marks", "K?????AŁ", false, true},
    {"star", "B??Y*K", false, true},
    {"sql_percent", "K%", false, false},
    {"apostrophe", "O'K", false, false},
};

class CheckCharsAndPattern : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckCharsAndPattern, AcceptsOnlyTheAlphabet) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(modMain::CheckChars(QString::fromUtf8(c.text)), c.chars);
    EXPECT_EQ(modMain::CheckPattern(QString::fromUtf8(c.text)), c.pattern);
}

INSTANTIATE_TEST_SUITE_P(Table, CheckCharsAndPattern, ::testing::ValuesIn(checkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckNumeric, DigitsOnlyAndNotEmpty) {
    EXPECT_FALSE(modMain::CheckNumeric(""));
    EXPECT_TRUE(modMain::CheckNumeric("007"));
    EXPECT_FALSE(modMain::CheckNumeric("-5"));
    EXPECT_FALSE(modMain::CheckNumeric("+5"));
    EXPECT_FALSE(modMain::CheckNumeric("1.5"));
    EXPECT_FALSE(modMain::CheckNumeric(QString::fromUtf8("١٢"))); // Arabic-Indic digits are not "0".."9"
}

TEST(UATrim, DoublesApostrophesThenTrimsSpacesOnly) {
    EXPECT_EQ(modMain::UATrim("  o'clock "), QString("o''clock"));
    EXPECT_EQ(modMain::UATrim(" ' "), QString("''"));
    EXPECT_EQ(modMain::UATrim("\tKOT\t"), QString("\tKOT\t"));
    EXPECT_EQ(modMain::UATrim("rock'n'roll"), QString("rock''n''roll"));
}

TEST(UsunNull, NullBecomesEmptyTextOtherValuesStay) {
    EXPECT_EQ(modMain::UsunNull(QVariant()), QVariant(QString("")));
    EXPECT_EQ(modMain::UsunNull(QVariant(42)), QVariant(42));
}

} // namespace
