#include "search/QuerySearch.h"

#include <gtest/gtest.h>

namespace {

struct TopCase {
    const char* name;
    const char* typed;
    bool ignoreMaxRecords;
    const char* sent;
};

const TopCase topCases[] = {
    {"lower_case_select", "select * from wyrazy", false, "SELECT TOP 5000 * from wyrazy"},
    {"trimmed_first", "   SELECT Wyraz FROM WYRAZY  ", false, "SELECT TOP 5000 Wyraz FROM WYRAZY"},
    {"spaces_after_select_collapse", "SELECT    Wyraz FROM WYRAZY", false,
     "SELECT TOP 5000 Wyraz FROM WYRAZY"},
    {"already_top", "SELECT TOP 100 Wyraz FROM WYRAZY", false, "SELECT TOP 100 Wyraz FROM WYRAZY"},
    {"lower_case_top_kept", "select top 3 * from wyrazy", false, "select top 3 * from wyrazy"},
    {"distinct_after_top", "SELECT DISTINCT Wyraz FROM WYRAZY", false,
     "SELECT TOP 5000 DISTINCT Wyraz FROM WYRAZY"},
    {"name_starting_with_top", "SELECT TOPIC FROM T", false, "SELECT TOPIC FROM T"},
    {"no_space_after_select", "SELECT*FROM WYRAZY", false, "SELECT TOP 5000 *FROM WYRAZY"},
    {"line_break_after_select_kept", "SELECT\nWyraz FROM WYRAZY", false,
     "SELECT TOP 5000 \nWyraz FROM WYRAZY"},
    {"ignore_max_only_trims", "  select * from wyrazy ", true, "select * from wyrazy"},
    {"ignore_max_keeps_distinct", "SELECT DISTINCT Wyraz FROM WYRAZY", true,
     "SELECT DISTINCT Wyraz FROM WYRAZY"},
};

class QueryTop : public ::testing::TestWithParam<TopCase> {};

TEST_P(QueryTop, SentText) {
    const TopCase& c = GetParam();
    EXPECT_EQ(QuerySearch{QString::fromUtf8(c.typed)}.sentText(5000, c.ignoreMaxRecords),
              QString::fromUtf8(c.sent));
}

INSTANTIATE_TEST_SUITE_P(Table, QueryTop, ::testing::ValuesIn(topCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct CheckCase {
    const char* name;
    const char* typed;
    const char* message; // nullptr: accepted
};

const char* const notSelect = "Kwerenda powinna zaczynać się od instrukcji SELECT.";

const CheckCase checkCases[] = {
    {"empty", "", "Proszę wypełnić kwerendę."},
    {"spaces_only_fail_step2", "   ", notSelect},
    {"update", "UPDATE WYRAZY SET Wyraz = 'X'", notSelect},
    {"leading_line_break", "\nSELECT * FROM WYRAZY", notSelect},
    {"short_text", "SEL", notSelect},
    {"lower_case_select", "select * from wyrazy", nullptr},
    {"leading_spaces", "   SeLeCt 1", nullptr},
};

class QueryChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(QueryChecks, MessageAndFocus) {
    const CheckCase& c = GetParam();
    const auto failure = QuerySearch{QString::fromUtf8(c.typed)}.validate();
    if (!c.message) {
        EXPECT_FALSE(failure);
        return;
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->message, QString::fromUtf8(c.message));
    EXPECT_EQ(failure->focus, SearchField::txtQuery);
}

INSTANTIATE_TEST_SUITE_P(Table, QueryChecks, ::testing::ValuesIn(checkCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
