#include "search/PatternSearch.h"

#include <gtest/gtest.h>

namespace {

struct RefusalCase {
    const char* name;
    const char* pattern;
    const char* message; // nullptr: accepted
};

const RefusalCase refusalCases[] = {
    {"empty", "", "Proszę wypełnić wzorzec."},
    {"digit", "K1*", "Wzorzec zawiera niedozwolony znak."},
    {"leading_space", " KOT", "Wzorzec zawiera niedozwolony znak."},
    {"sql_percent", "K%", "Wzorzec zawiera niedozwolony znak."},
    {"apostrophe", "O'K", "Wzorzec zawiera niedozwolony znak."},
    {"lower_polish", "żółw", nullptr},
    {"wildcards_only", "*?", nullptr},
};

class PatternValidate : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PatternValidate, MessageAndFocus) {
    const RefusalCase& c = GetParam();
    const auto failure = PatternSearch{QString::fromUtf8(c.pattern), false}.validate();
    if (!c.message) {
        EXPECT_FALSE(failure);
        return;
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, QString::fromUtf8(c.message));
    EXPECT_EQ(failure->focus, SearchField::txtPattern);
    EXPECT_EQ(failure->style, MsgStyle::Warning);
}

INSTANTIATE_TEST_SUITE_P(Table, PatternValidate, ::testing::ValuesIn(refusalCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
