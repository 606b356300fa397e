#include "db/AppError.h"
#include "db/jet/JetSqlTranslator.h"

#include <gtest/gtest.h>

namespace {

// What the dialect gives is tested by running statements; here only what the
// translation itself must refuse.
struct RefusedCase {
    const char* name;
    const char* jet;
};

const RefusedCase kRefused[] = {
    {"statement_after_blank_semicolons", "SELECT 1 ; ; SELECT 2"},
    {"unterminated_text", "SELECT * FROM WYRAZY WHERE Wyraz = 'KOT"},
    {"unterminated_name", "SELECT [Wyraz FROM WYRAZY"},
    {"top_percent_over_a_hundred", "SELECT TOP 101 PERCENT * FROM WYRAZY"},
    {"slash_star", "SELECT 6/*2"},
    {"top_fraction", "SELECT TOP 1.5 * FROM WYRAZY"},
};

class RefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, IsRefusedWithAnError) {
    EXPECT_THROW(JetSqlTranslator::translate(QString::fromUtf8(GetParam().jet)), AppError);
}

INSTANTIATE_TEST_SUITE_P(Jet, RefusedTest, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
