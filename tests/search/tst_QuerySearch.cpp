#include "search/QuerySearch.h"

#include <gtest/gtest.h>

namespace {

struct TopCase {
    const char* name;
    const char* typed;
    bool ignoreMaxRecords;
    const char* sent;
};

// clang-format off
const TopCase topCases[] = {
    {"trimmed_upper_cased_spaces_collapsed", "  select    Wyraz FROM WYRAZY ", false, "SELECT TOP 5000 Wyraz FROM WYRAZY"},
    {"lower_case_top_kept", "select top 3 * from wyrazy", false, "select top 3 * from wyrazy"},
    {"distinct_after_top", "SELECT DISTINCT Wyraz FROM WYRAZY", false, "SELECT TOP 5000 DISTINCT Wyraz FROM WYRAZY"},
    {"name_starting_with_top", "SELECT TOPIC FROM T", false, "SELECT TOPIC FROM T"},
    {"no_space_after_select", "SELECT*FROM WYRAZY", false, "SELECT TOP 5000 *FROM WYRAZY"},
    {"line_break_after_select_kept", "SELECT\nWyraz FROM WYRAZY", false, "SELECT TOP 5000 \nWyraz FROM WYRAZY"},
    {"ignore_max_only_trims", "  select * from wyrazy ", true, "select * from wyrazy"},
};
// clang-format on

class QueryTop : public ::testing::TestWithParam<TopCase> {};

TEST_P(QueryTop, SentText) {
    const TopCase& c = GetParam();
    EXPECT_EQ(QuerySearch{QString::fromUtf8(c.typed)}.sentText(5000, c.ignoreMaxRecords),
              QString::fromUtf8(c.sent));
}

INSTANTIATE_TEST_SUITE_P(Table, QueryTop, ::testing::ValuesIn(topCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
