#include "search/PatternSearch.h"

#include <gtest/gtest.h>

namespace {

struct PatternCase {
    const char* name;
    const char* pattern;
    const char* words;
    const char* descriptions;
};

const PatternCase patternCases[] = {
    {"question_marks", "K?????AŁ", "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K_____AŁ'",
     "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT WyrazID FROM OPISY WHERE Opis LIKE "
     "'K_____AŁ')"},
    {"star_and_questions", "B??Y*K", "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'B__Y%K'",
     "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT WyrazID FROM OPISY WHERE Opis LIKE "
     "'B__Y%K')"},
    {"lone_star", "*", "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE '%'",
     "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT WyrazID FROM OPISY WHERE Opis LIKE '%')"},
    {"lower_case_kept", "k?t*", "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'k_t%'",
     "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT WyrazID FROM OPISY WHERE Opis LIKE 'k_t%')"},
    {"no_wildcards", "KOT", "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'KOT'",
     "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT WyrazID FROM OPISY WHERE Opis LIKE 'KOT')"},
};

class PatternSql : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PatternSql, BothStatements) {
    const PatternCase& c = GetParam();
    const PatternSearch search{QString::fromUtf8(c.pattern), true};
    EXPECT_EQ(search.wordsSql(5000), QString::fromUtf8(c.words));
    EXPECT_EQ(search.descriptionsSql(5000), QString::fromUtf8(c.descriptions));
}

INSTANTIATE_TEST_SUITE_P(Table, PatternSql, ::testing::ValuesIn(patternCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PatternSql, LimitWrittenInDecimal) {
    EXPECT_EQ(PatternSearch({"*", false}).wordsSql(1),
              QString("SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE '%'"));
}

struct RefusalCase {
    const char* name;
    const char* pattern;
    const char* message; // nullptr: accepted
};

const RefusalCase refusalCases[] = {
    {"empty", "", "Proszę wypełnić wzorzec."},
    {"digit", "K1*", "Wzorzec zawiera niedozwolony znak."},
    {"space", "K T", "Wzorzec zawiera niedozwolony znak."},
    {"leading_space", " KOT", "Wzorzec zawiera niedozwolony znak."},
    {"sql_percent", "K%", "Wzorzec zawiera niedozwolony znak."},
    {"sql_underscore", "K_T", "Wzorzec zawiera niedozwolony znak."},
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
