#include "db/AppError.h"
#include "db/jet/JetSqlTranslator.h"

#include <gtest/gtest.h>

namespace {

struct TranslationCase {
    const char* name;
    const char* jet;
    const char* engine; // compared with runs of blanks collapsed
};

const TranslationCase kTranslations[] = {
    {"top_goes_to_limit", "SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K__T'",
     "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K__T' LIMIT 5000"},
    {"top_number_is_not_an_operand", "SELECT TOP 5 A & B FROM X",
     "SELECT JETCAT(A , B) AS \"Expr1000\" FROM X LIMIT 5"},
    {"distinct_then_top", "SELECT DISTINCT TOP 5 Wyraz FROM WYRAZY",
     "SELECT DISTINCT Wyraz FROM WYRAZY LIMIT 5"},
    {"top_in_sub_query",
     "SELECT TOP 3 UCASE(Wyraz) FROM WYRAZY WHERE LEN(Wyraz) IN (SELECT TOP 1 LEN(Opis) FROM OPISY)",
     "SELECT UCASE(Wyraz) AS \"Expr1000\" FROM WYRAZY WHERE LEN(Wyraz) IN (SELECT LEN(Opis) AS \"Expr1000\" "
     "FROM OPISY LIMIT 1) LIMIT 3"},
    {"literal_never_translated", "SELECT 'TOP 5 & [x]; DELETE \"y\" #1#' AS A FROM WYRAZY",
     "SELECT 'TOP 5 & [x]; DELETE \"y\" #1#' AS A FROM WYRAZY"},
    {"doubled_apostrophes_kept", "SELECT * FROM WYRAZY WHERE Wyraz = 'rock''n''roll'",
     "SELECT * FROM WYRAZY WHERE Wyraz = 'rock''n''roll'"},
    {"ampersand_joins_texts", "SELECT Wyraz & ' - ' & Opis FROM X",
     "SELECT JETCAT(Wyraz , ' - ' , Opis) AS \"Expr1000\" FROM X"},
    {"ampersand_with_functions", "SELECT TOP 3 LEFT(Wyraz, 1) & UCASE(Opis) AS W FROM X",
     "SELECT JETCAT(JETLEFT(Wyraz, 1) , UCASE(Opis)) AS W FROM X LIMIT 3"},
    {"bracketed_names", "SELECT [WYRAZY].[Wyraz] FROM [WYRAZY]",
     "SELECT \"WYRAZY\".\"Wyraz\" FROM \"WYRAZY\""},
    {"double_quoted_text", "SELECT * FROM WYRAZY WHERE Wyraz = \"O'K\"",
     "SELECT * FROM WYRAZY WHERE Wyraz = 'O''K'"},
    {"left_right_functions", "SELECT LEFT(Wyraz, 2), RIGHT (Wyraz,1) FROM WYRAZY LEFT JOIN OPISY ON A = B",
     "SELECT JETLEFT(Wyraz, 2) AS \"Expr1000\", JETRIGHT (Wyraz,1) AS \"Expr1001\" FROM WYRAZY LEFT JOIN "
     "OPISY "
     "ON A = B"},
    {"field_named_top", "SELECT TOP FROM T", "SELECT TOP FROM T"},
    {"delete_star", "DELETE * FROM WYRAZY WHERE Wyraz IN ('KOT')",
     "DELETE FROM WYRAZY WHERE Wyraz IN ('KOT')"},
    {"trailing_semicolons_dropped", "SELECT 1 AS A; ; ", "SELECT 1 AS A"},
    {"double_minus_is_not_a_comment", "SELECT 5--3 AS A", "SELECT 5- -3 AS A"},
    {"mod_operator", "SELECT 7 Mod 3 AS A", "SELECT JETMOD(7, 3) AS A"},
    {"true_is_minus_one", "SELECT * FROM T WHERE A = True OR B = False",
     "SELECT * FROM T WHERE A = (-1) OR B = 0"},
    {"date_literal", "SELECT #2024-01-31# AS A", "SELECT '2024-01-31' AS A"},
    {"top_before_union_applies_to_its_select", "SELECT TOP 1 Wyraz FROM A UNION SELECT Wyraz FROM B",
     "SELECT * FROM (SELECT Wyraz FROM A LIMIT 1) UNION SELECT Wyraz FROM B"},
};

class TranslationTest : public ::testing::TestWithParam<TranslationCase> {};

TEST_P(TranslationTest, TranslatesToTheEngineDialect) {
    const TranslationCase& c = GetParam();
    EXPECT_EQ(JetSqlTranslator::translate(QString::fromUtf8(c.jet)).simplified().toStdString(),
              QString::fromUtf8(c.engine).simplified().toStdString());
}

INSTANTIATE_TEST_SUITE_P(Jet, TranslationTest, ::testing::ValuesIn(kTranslations),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    const char* jet;
};

const RefusedCase kRefused[] = {
    {"second_statement", "SELECT 1; DELETE FROM WYRAZY"},
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
