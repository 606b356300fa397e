#include "search/ResultsCopy.h"

#include "search/ResultsModel.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultsCopy, RowsInTheGivenOrderColumnsTabSeparated) {
    ResultsModel model;
    model.addColumn({"Wyraz", ResultColumn::Width::Default, 0});
    model.addColumn({"Litery", ResultColumn::Width::Default, 0});
    model.setSortState(false, 0, ResultsModel::Ascending);
    model.addRow({"KOT", "3"});
    model.addRow({"ŻÓŁW"}); // a row added later has no second text
    model.addRow({"PIES", "4"});
    EXPECT_EQ(ResultsCopy::text(model, {0, 2}), "KOT\t3\nPIES\t4");
    EXPECT_EQ(ResultsCopy::text(model, {1}), "ŻÓŁW\t");
    EXPECT_EQ(ResultsCopy::text(model, {}), QString());
}

} // namespace
