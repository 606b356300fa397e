#include "search/ColumnFit.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* name;
    QVector<int> wanted;
    int available;
    int minimum;
    QVector<int> widths;
};

const FitCase fitCases[] = {
    {"all_fit_keep_their_widths", {40, 120, 60}, 300, 20, {40, 120, 60}},
    {"narrow_keeps_wide_ones_share", {50, 400, 300}, 500, 20, {50, 225, 225}},
    {"what_a_narrow_one_leaves_goes_on", {90, 400, 120}, 400, 20, {90, 190, 120}},
    {"equal_wide_columns_split_evenly", {500, 500, 500}, 300, 20, {100, 100, 100}},
    {"never_below_the_minimum", {200, 200, 200, 200}, 60, 30, {30, 30, 30, 30}},
    {"a_column_wanting_less_than_the_minimum_keeps_it", {10, 500}, 100, 30, {10, 90}},
    {"no_room_at_all", {80, 90}, -10, 25, {25, 25}},
    {"no_columns", {}, 300, 20, {}},
};

class ColumnFitTable : public ::testing::TestWithParam<FitCase> {};

TEST_P(ColumnFitTable, Widths) {
    const FitCase& c = GetParam();
    EXPECT_EQ(ColumnFit::fit(c.wanted, c.available, c.minimum), c.widths);
}

INSTANTIATE_TEST_SUITE_P(Table, ColumnFitTable, ::testing::ValuesIn(fitCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
