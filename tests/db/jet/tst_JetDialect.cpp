#include "db/AppError.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "support/TestDictionary.h"

#include <gtest/gtest.h>

namespace {

// One dictionary for every statement of this file; nothing here writes to it.
class JetDialect : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dict = new TestDictionary({"KOT", "KOTEK", "KOTY", "PIES", "PIESEK", "OSA", "ŻÓŁW", "ZOLW"},
                                    {{1, "pierwszy"}, {1, "drugi"}, {2, "jedyny"}});
    }
    static void TearDownTestSuite() {
        delete s_dict;
        s_dict = nullptr;
    }
    void SetUp() override { connection.open(s_dict->connectionString(true)); }
    static TestDictionary* s_dict;
    Connection connection;
};

TestDictionary* JetDialect::s_dict = nullptr;

// A statement's result as one text: the type of its first value (whole,
// double, text or null), ":", then the rows in sorted order, "|" between fields
// and ";" between rows; or "error:" and the description of the refusal, late
// ones included.
std::string result(const QString& sql, Connection& connection) {
    try {
        Recordset rs;
        rs.open(sql, connection);
        const QVariant first = rs.value(0);
        QStringList rows;
        for (; !rs.eof(); rs.moveNext()) {
            QStringList fields;
            for (int i = 0; i < rs.fieldCount(); ++i)
                fields << rs.value(i).toString();
            rows << fields.join('|');
        }
        rows.sort();
        const int type = first.typeId();
        const char* kind = first.isNull()                                          ? "null"
                           : type == QMetaType::Int || type == QMetaType::LongLong ? "whole:"
                           : type == QMetaType::Double                             ? "double:"
                                                                                   : "text:";
        return kind + (first.isNull() ? std::string() : rows.join(';').toStdString());
    } catch (const AppError& e) {
        return "error:" + e.description().toStdString();
    }
}

struct ExpressionCase {
    const char* name;
    const char* sql;      // after SELECT
    const char* expected; // as result() gives it; for "error:..." a part of the description
};

// clang-format off
const ExpressionCase kExpressions[] = {
    {"slash_always_floating", "7/2", "double:3.5"},
    {"slash_binds_like_times", "1 + 6 / 4 * 2", "double:4"},
    {"backslash_rounds_operands_half_even", "7.5 \\ 2.5", "whole:4"},
    {"backslash_truncates_negative", "-7 \\ 2", "whole:-3"},
    {"backslash_before_mod", "7 Mod 5 \\ 2", "whole:1"},
    {"caret_before_sign", "-2 ^ 2", "whole:-4"},
    {"caret_negative_exponent", "2 ^ -1", "double:0.5"},
    {"caret_left_to_right", "2 ^ 3 ^ 2", "whole:64"},
    {"mod_sign_of_dividend", "-7 Mod 3", "whole:-1"},
    {"mod_after_times", "2 * 5 Mod 3", "whole:1"},
    {"plus_joins_texts", "'a' + 'b'", "text:ab"},
    {"plus_adds_numeric_text", "1 + '2'", "double:3"},
    {"plus_with_null_is_null", "'a' + NULL", "null"},
    {"ampersand_null_is_empty", "'a' & NULL & 'b'", "text:ab"},
    {"ampersand_after_plus", "'x' & 1 + 2", "text:x3"},
    {"concatenation_all_null", "NULL & NULL", "null"},
    {"minus_minus_is_no_comment", "5--3", "whole:8"},
    {"truth_values", "(1=2) & True & (1 < 2 And 3 < 2) & (Not 1 > 2) & "
     "((1 = 1) Xor (1 = 2)) & (NULL Is Null)", "text:0-10-1-1-1"},
    {"like_is_minus_one", "'ŻÓŁW' LIKE 'żół_'", "whole:-1"},
    {"like_null", "NULL LIKE 'A'", "null"},
    {"double_quotes_are_a_text", "\"O'K\"", "text:O'K"},
    {"literal_never_translated", "'TOP 5 & [x]; \"y\" #1#'", "text:TOP 5 & [x]; \"y\" #1#"},
    {"date_literal_month_first", "#12/31/2024#", "text:2024-12-31"},
    {"iif_null_condition_is_false", "IIf(NULL, 'tak', 'nie')", "text:nie"},
    {"nz", "Nz(NULL, 5)", "whole:5"},
    {"format_grouped_two_places", "Format(1234.5, '#,##0.00')", "text:1 234,50"},
    {"format_zero_padded", "Format(7, '000')", "text:007"},
    {"format_percent", "Format(0.256, '0.0%')", "text:25,6%"},
    {"format_date_and_minutes", "Format(#2024-03-05 14:07:09#, 'dd.mm.yyyy hh:nn')", "text:05.03.2024 14:07"},
    {"val", "Val('12ab')", "double:12"},
    {"str_has_the_sign_blank", "Str(5) & Str(0)", "text: 5 0"},
    {"clng_half_even", "CLng(2.5)", "whole:2"},
    {"cint_half_even", "CInt(2.5)", "whole:2"},
    {"clng_largest", "CLng(2147483647)", "whole:2147483647"},
    {"cint_largest", "CInt(32767)", "whole:32767"},
    {"cint_smallest", "CInt(-32768)", "whole:-32768"},
    {"int_rounds_down", "Int(-2.5)", "double:-3"},
    {"fix_towards_zero", "Fix(-2.5)", "double:-2"},
    {"round_half_even", "Round(2.5)", "double:2"},
    {"round_places_half_even", "Round(2.345, 2)", "double:2.34"},
    {"asc", "Asc('Ą')", "whole:260"},
    {"ltrim_and_trim", "LTrim('  a ') & Trim('  a b  ') & '|'", "text:a a b|"},
    {"string_of_text", "String(3, 'xy')", "text:xxx"},
    {"strreverse", "StrReverse('żółw')", "text:włóż"},
    {"replace", "Replace('kot kot', 'o', 'a')", "text:kat kat"},
    {"instrrev_ignores_case_and_starts_where_told", "InStrRev('kotek', 'K') & InStrRev('kotek', 'k', 4)", "text:51"},
    {"instr_from_start", "InStr(3, 'KOTEK', 'K')", "whole:5"},
    {"instr_ignores_case", "InStr('żółw', 'ŁW')", "whole:3"},
    {"instr_binary", "InStr(1, 'kot', 'O', 0)", "whole:0"},
    {"ucase_and_lcase_polish", "UCase('żółć źdźbło') & LCase('ŻÓŁĆ')", "text:ŻÓŁĆ ŹDŹBŁOżółć"},
    {"len_counts_letters", "Len('żółć')", "whole:4"},
    {"len_null", "Len(NULL)", "null"},
    {"left_right", "Left('żółw', 2) & Right('żółw', 1)", "text:żów"},
    {"mid_with_length", "Mid('żółć', 2, 2)", "text:ół"},
    {"mid_zero_length", "Mid('abc', 2, 0)", "text:"},
    {"month", "Month(#2024-03-05#)", "whole:3"},
    {"now_has_a_time", "Len(Now())", "whole:19"},
    // Whole statements.
    {"top_per_select_of_union_all", "TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'KOT%' UNION ALL "
     "SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'PIES%'", "text:KOT;PIES"},
    {"top_of_the_last_select_only", "Wyraz FROM WYRAZY WHERE Wyraz LIKE 'KOT%' UNION ALL "
     "SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'PIES%'", "text:KOT;KOTEK;KOTY;PIES"},
    {"top_takes_ties_of_the_last_row", "TOP 3 Wyraz FROM WYRAZY ORDER BY LEN(Wyraz)",
     "text:KOT;KOTY;OSA;PIES;ZOLW;ŻÓŁW"},
    {"top_without_ties", "TOP 2 Wyraz FROM WYRAZY ORDER BY LEN(Wyraz)", "text:KOT;OSA"},
    {"top_ties_by_alias", "TOP 1 Wyraz, LEN(Wyraz) AS L FROM WYRAZY ORDER BY L", "text:KOT|3;OSA|3"},
    {"top_without_order_is_exact", "TOP 2 Wyraz FROM WYRAZY", "text:KOT;KOTEK"},
    {"distinct_then_top", "DISTINCT TOP 2 LEN(Wyraz) AS L FROM WYRAZY", "whole:3;5"},
    {"top_percent_rounds_up", "TOP 30 PERCENT Wyraz FROM WYRAZY", "text:KOT;KOTEK;KOTY"},
    {"top_in_sub_query", "Wyraz FROM WYRAZY WHERE WyrazID IN "
     "(SELECT TOP 2 WyrazID FROM WYRAZY ORDER BY WyrazID DESC)", "text:ZOLW;ŻÓŁW"},
    {"condition_in_where_keeps_rows", "Wyraz FROM WYRAZY WHERE (LEN(Wyraz) = 3) = True", "text:KOT;OSA"},
    {"between_and_in", "Wyraz FROM WYRAZY WHERE WyrazID Between 2 And 4 AND Wyraz Not In ('KOTY')", "text:KOTEK;PIES"},
    {"equality_ignores_case_keeps_diacritics", "WyrazID FROM WYRAZY WHERE Wyraz = 'żółw'", "whole:7"},
    {"in_ignores_case", "Wyraz FROM WYRAZY WHERE Wyraz IN ('zolw', 'kot')", "text:KOT;ZOLW"},
    {"first_and_last_of_a_group", "WyrazID, FIRST(Opis), LAST(Opis) FROM OPISY GROUP BY WyrazID",
     "whole:1|pierwszy|drugi;2|jedyny|jedyny"},
    // Refusals: a Polish description, never the engine's English.
    {"syntax_error", "Wyraz FROM WYRAZY WHERE", "error:Błąd składni"},
    {"sql_of_the_engine", "Wyraz FROM WYRAZY LIMIT 1", "error:Błąd składni"},
    {"unknown_column", "Nic FROM WYRAZY", "error:pole nie istnieje (Nic)"},
    {"unknown_table", "* FROM BRAK", "error:tabela nie istnieje (BRAK)"},
    {"unknown_function", "Brak(1)", "error:nieznana funkcja (Brak)"},
    {"hidden_table", "* FROM LiteronMeta", "error:brak dostępu"},
    {"division_by_zero", "1/0", "error:Dzielenie przez zero"},
    {"whole_division_by_zero", "1 \\ 0", "error:Dzielenie przez zero"},
    {"text_times_number", "Wyraz * 2 FROM WYRAZY", "error:Niezgodność typów"},
    {"iif_needs_three", "IIf(1 = 1, 2)", "error:trzech argumentów"},
    {"union_of_different_widths", "1 UNION SELECT 1, 2", "error:różną liczbę pól"},
    {"left_negative_length", "LEFT(Wyraz, -1) FROM WYRAZY", "error:argument funkcji LEFT"},
    {"mid_from_nought", "MID(Wyraz, 0) FROM WYRAZY", "error:argument funkcji MID"},
    {"cint_over_the_limit", "CINT(32768) FROM WYRAZY", "error:argument funkcji CINT"},
    {"clng_under_the_limit", "CLNG(-2147483649) FROM WYRAZY", "error:argument funkcji CLNG"},
    {"like_unclosed_set", "Wyraz FROM WYRAZY WHERE Wyraz LIKE '[AB'", "error:wzorzec w wyrażeniu LIKE"},
    {"statement_after_blank_semicolons", "1 ; ; SELECT 2", "error:po zakończeniu"},
    {"unterminated_text", "* FROM WYRAZY WHERE Wyraz = 'KOT", "error:niezakończony"},
    {"unterminated_name", "[Wyraz FROM WYRAZY", "error:niezakończony"},
    {"top_percent_over_a_hundred", "TOP 101 PERCENT * FROM WYRAZY", "error:od 1 do 100"},
    {"top_fraction", "TOP 1.5 * FROM WYRAZY", "error:całkowita i dodatnia"},
    {"slash_star", "6/*2", "error:nieoczekiwany"},
};
// clang-format on

class Expression : public JetDialect, public ::testing::WithParamInterface<ExpressionCase> {};

TEST_P(Expression, GivesTheDialectsValueAndType) {
    const ExpressionCase& c = GetParam();
    const std::string got = result(QStringLiteral("SELECT ") + QString::fromUtf8(c.sql), connection);
    const std::string expected = c.expected;
    if (expected.rfind("error:", 0) != 0) {
        EXPECT_EQ(got, expected) << c.sql;
        return;
    }
    ASSERT_EQ(got.substr(0, 6), "error:") << got;
    const std::string description = got.substr(6);
    EXPECT_NE(description.find(expected.substr(6)), std::string::npos) << description;
    for (const char* english : {"syntax", "no such", "near", "authorized", "error", "SELECTs"})
        EXPECT_EQ(description.find(english), std::string::npos) << description;
}

INSTANTIATE_TEST_SUITE_P(Jet, Expression, ::testing::ValuesIn(kExpressions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(JetDialect, CaptionsAreNamedAsJetNamesThem) {
    const QString sql =
        QStringLiteral("SELECT LEFT(Wyraz,2), Wyraz & 'x', True, 7 Mod 3, Wyraz, WYRAZY.WyrazID, "
                       "[Wyraz] AS W FROM WYRAZY WHERE WyrazID = 1");
    Recordset rs;
    rs.open(sql, connection);
    QStringList captions;
    for (int i = 0; i < rs.fieldCount(); ++i)
        captions << rs.field(i).name;
    EXPECT_EQ(captions.join('|'), QStringLiteral("Expr1000|Expr1001|Expr1002|Expr1003|Wyraz|WyrazID|W"));
    EXPECT_EQ(result(sql, connection), "text:KO|KOTx|-1|1|KOT|1|KOT");
}

QString nested(int levels) {
    return QStringLiteral("SELECT ") + QString(levels, '(') + '1' + QString(levels, ')');
}

TEST_F(JetDialect, DeepNestingIsRefusedWithAMessageNotACrash) {
    EXPECT_EQ(result(nested(50), connection), "whole:1");
    for (const QString& sql :
         {nested(5000), QStringLiteral("SELECT ") + QString(5000, '-') + '1',
          QStringLiteral("SELECT 1 WHERE ") + QStringLiteral("NOT ").repeated(5000) + '1',
          QStringLiteral("SELECT 1 IN ") + QStringLiteral("(SELECT 1 IN ").repeated(3000)})
        EXPECT_NE(result(sql, connection).find("zbyt złożone"), std::string::npos);
}

TEST_F(JetDialect, LongJoinOfTextsIsOneText) {
    QStringList parts;
    std::string expected = "text:";
    for (int i = 0; i < 250; ++i) {
        parts << (i == 120 ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(i % 10));
        expected += i == 120 ? "" : std::to_string(i % 10);
    }
    EXPECT_EQ(result(QStringLiteral("SELECT ") + parts.join(QStringLiteral(" & ")), connection), expected);
}

} // namespace
