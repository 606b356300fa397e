#include "search/ResultsCopy.h"

#include "search/ResultsModel.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultsCopy, RowsInTheGivenOrderColumnsTabSeparated) {
    ResultsModel model;
    model.addColumn({QStringLiteral("Wyraz"), ResultColumn::Width::Default, 0});
    model.addColumn({QStringLiteral("Litery"), ResultColumn::Width::Default, 0});
    model.setSortState(false, 0, ResultsModel::Ascending);
    model.addRow({QStringLiteral("KOT"), QStringLiteral("3")});
    model.addRow({QStringLiteral("ŻÓŁW")}); // a row added later has no second text
    model.addRow({QStringLiteral("PIES"), QStringLiteral("4")});
    EXPECT_EQ(ResultsCopy::text(model, {0, 2}), QStringLiteral("KOT\t3\nPIES\t4"));
    EXPECT_EQ(ResultsCopy::text(model, {1}), QStringLiteral("ŻÓŁW\t"));
    EXPECT_EQ(ResultsCopy::text(model, {}), QString());
}

} // namespace
