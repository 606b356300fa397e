#include "db/AppError.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "support/TestDictionary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

// What a value of the result is, as the list and the callers read it.
enum class Is { Null, Whole, Double, Text };

struct ExpressionCase {
    const char* name;
    const char* expression;
    Is type;
    const char* value; // the value as text; ignored for Null
};

std::string typeName(Is type);

// Failure messages name the row, not its bytes.
void PrintTo(const ExpressionCase& c, std::ostream* os) {
    *os << c.expression;
}

std::string typeName(Is type) {
    switch (type) {
    case Is::Null:
        return "Null";
    case Is::Whole:
        return "whole number";
    case Is::Double:
        return "floating-point number";
    default:
        return "text";
    }
}

Is typeOf(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return Is::Null;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return Is::Whole;
    case QMetaType::Double:
        return Is::Double;
    default:
        return Is::Text;
    }
}

const ExpressionCase kExpressions[] = {
    {"slash_always_floating", "7/2", Is::Double, "3.5"},
    {"slash_of_a_third", "1/3", Is::Double, "0.3333333333333333"},
    {"slash_exact_stays_floating", "6/2", Is::Double, "3"},
    {"slash_binds_like_times", "1 + 6 / 4 * 2", Is::Double, "4"},
    {"backslash_whole_division", "7 \\ 2", Is::Whole, "3"},
    {"backslash_rounds_operands_half_even", "7.5 \\ 2.5", Is::Whole, "4"},
    {"backslash_truncates_negative", "-7 \\ 2", Is::Whole, "-3"},
    {"backslash_before_mod", "7 Mod 5 \\ 2", Is::Whole, "1"},
    {"caret_power", "2 ^ 10", Is::Whole, "1024"},
    {"caret_before_sign", "-2 ^ 2", Is::Whole, "-4"},
    {"caret_negative_exponent", "2 ^ -1", Is::Double, "0.5"},
    {"caret_left_to_right", "2 ^ 3 ^ 2", Is::Whole, "64"},
    {"mod", "7 Mod 3", Is::Whole, "1"},
    {"mod_sign_of_dividend", "-7 Mod 3", Is::Whole, "-1"},
    {"mod_after_times", "2 * 5 Mod 3", Is::Whole, "1"},
    {"plus_joins_texts", "'a' + 'b'", Is::Text, "ab"},
    {"plus_adds_numeric_text", "1 + '2'", Is::Double, "3"},
    {"minus_of_numeric_text", "'5' - 2", Is::Double, "3"},
    {"plus_with_null_is_null", "'a' + NULL", Is::Null, ""},
    {"ampersand_null_is_empty", "'a' & NULL & 'b'", Is::Text, "ab"},
    {"ampersand_after_plus", "'x' & 1 + 2", Is::Text, "x3"},
    {"minus_minus_is_no_comment", "5--3", Is::Whole, "8"},
    {"equal_is_minus_one", "1=1", Is::Whole, "-1"},
    {"unequal_is_nought", "1=2", Is::Whole, "0"},
    {"true_literal", "True", Is::Whole, "-1"},
    {"false_literal", "False", Is::Whole, "0"},
    {"comparison_with_true", "(2 > 1) = True", Is::Whole, "-1"},
    {"and_of_comparisons", "1 < 2 And 3 < 2", Is::Whole, "0"},
    {"not_of_comparison", "Not 1 > 2", Is::Whole, "-1"},
    {"xor", "(1 = 1) Xor (1 = 2)", Is::Whole, "-1"},
    {"is_null", "NULL Is Null", Is::Whole, "-1"},
    {"is_not_null", "1 Is Not Null", Is::Whole, "-1"},
    {"between", "5 Between 1 And 10", Is::Whole, "-1"},
    {"not_between", "5 Not Between 1 And 4", Is::Whole, "-1"},
    {"in_list", "3 In (1, 2, 3)", Is::Whole, "-1"},
    {"like_is_minus_one", "'ŻÓŁW' LIKE 'żół_'", Is::Whole, "-1"},
    {"date_literal_month_first", "#12/31/2024#", Is::Text, "2024-12-31"},
    {"date_literal_iso", "#2024-03-05#", Is::Text, "2024-03-05"},
    {"iif_false_branch", "IIf(1 > 2, 'tak', 'nie')", Is::Text, "nie"},
    {"iif_null_condition_is_false", "IIf(NULL, 'tak', 'nie')", Is::Text, "nie"},
    {"nz", "Nz(NULL, 5)", Is::Whole, "5"},
    {"format_grouped_two_places", "Format(1234.5, '#,##0.00')", Is::Text, "1 234,50"},
    {"format_zero_padded", "Format(7, '000')", Is::Text, "007"},
    {"format_percent", "Format(0.256, '0.0%')", Is::Text, "25,6%"},
    {"format_fixed", "Format(2, 'Fixed')", Is::Text, "2,00"},
    {"format_date", "Format(#2024-03-05#, 'dd.mm.yyyy')", Is::Text, "05.03.2024"},
    {"format_time_minutes", "Format(#2024-03-05 14:07:09#, 'hh:nn')", Is::Text, "14:07"},
    {"val", "Val('12ab')", Is::Double, "12"},
    {"str_positive_has_blank", "Str(5)", Is::Text, " 5"},
    {"cstr", "CStr(5)", Is::Text, "5"},
    {"clng_half_even", "CLng(2.5)", Is::Whole, "2"},
    {"cint_half_even", "CInt(3.5)", Is::Whole, "4"},
    {"cdbl_of_text", "CDbl('1.5')", Is::Double, "1.5"},
    {"int_rounds_down", "Int(-2.5)", Is::Double, "-3"},
    {"fix_towards_zero", "Fix(-2.5)", Is::Double, "-2"},
    {"abs", "Abs(-3)", Is::Whole, "3"},
    {"round_half_even_down", "Round(2.5)", Is::Double, "2"},
    {"round_half_even_up", "Round(3.5)", Is::Double, "4"},
    {"round_places_half_even", "Round(2.345, 2)", Is::Double, "2.34"},
    {"asc", "Asc('Ą')", Is::Whole, "260"},
    {"chr", "Chr(65)", Is::Text, "A"},
    {"lcase", "LCase('ŻÓŁW')", Is::Text, "żółw"},
    {"ucase", "UCase('żółw')", Is::Text, "ŻÓŁW"},
    {"ltrim", "LTrim('  a ')", Is::Text, "a "},
    {"rtrim", "RTrim(' a  ')", Is::Text, " a"},
    {"space", "Space(3)", Is::Text, "   "},
    {"string_of_text", "String(3, 'xy')", Is::Text, "xxx"},
    {"string_of_code", "String(2, 65)", Is::Text, "AA"},
    {"strreverse", "StrReverse('żółw')", Is::Text, "włóż"},
    {"replace", "Replace('kot kot', 'o', 'a')", Is::Text, "kat kat"},
    {"instrrev", "InStrRev('kotek', 'K')", Is::Whole, "5"},
    {"instrrev_from", "InStrRev('kotek', 'k', 4)", Is::Whole, "1"},
    {"left_right", "Left('żółw', 2) & Right('żółw', 1)", Is::Text, "żów"},
    {"year", "Year(#2024-03-05#)", Is::Whole, "2024"},
    {"month", "Month(#2024-03-05#)", Is::Whole, "3"},
    {"day", "Day(#2024-03-05#)", Is::Whole, "5"},
    {"date_is_a_date", "Len(Date())", Is::Whole, "10"},
    {"now_has_a_time", "Len(Now())", Is::Whole, "19"},
    {"year_of_today", "Year(Date()) > 2000", Is::Whole, "-1"},
};

class ExpressionTest : public ::testing::TestWithParam<ExpressionCase> {
protected:
    static void SetUpTestSuite() { s_dict = new TestDictionary({QStringLiteral("KOT")}); }
    static void TearDownTestSuite() {
        delete s_dict;
        s_dict = nullptr;
    }
    static TestDictionary* s_dict;
};

TestDictionary* ExpressionTest::s_dict = nullptr;

TEST_P(ExpressionTest, GivesTheDialectsValueAndType) {
    const ExpressionCase& c = GetParam();
    Connection connection;
    connection.open(s_dict->connectionString(true));
    Recordset rs;
    rs.open(QStringLiteral("SELECT ") + QString::fromUtf8(c.expression), connection);
    ASSERT_FALSE(rs.eof());
    const QVariant value = rs.value(0);
    EXPECT_EQ(typeName(typeOf(value)), typeName(c.type)) << value.toString().toStdString();
    if (c.type != Is::Null) {
        EXPECT_EQ(value.toString().toStdString(), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Jet, ExpressionTest, ::testing::ValuesIn(kExpressions),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- whole statements: rows and captions ----

struct StatementCase {
    const char* name;
    const char* sql;
    const char* captions; // "|" between captions
    const char* rows;     // ";" between rows, "|" between fields; compared in sorted order
};

const StatementCase kStatements[] = {
    {"top_per_select_of_union_all",
     "SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'KOT%' UNION ALL "
     "SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'PIES%'",
     "Wyraz", "KOT;PIES"},
    {"top_of_the_last_select_only",
     "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'KOT%' UNION ALL "
     "SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'PIES%'",
     "Wyraz", "KOT;KOTEK;KOTY;PIES"},
    {"top_takes_ties_of_the_last_row", "SELECT TOP 3 Wyraz FROM WYRAZY ORDER BY LEN(Wyraz)", "Wyraz",
     "KOT;KOTY;OSA;PIES"},
    {"top_without_ties", "SELECT TOP 2 Wyraz FROM WYRAZY ORDER BY LEN(Wyraz)", "Wyraz", "KOT;OSA"},
    {"top_ties_descending", "SELECT TOP 3 Wyraz FROM WYRAZY ORDER BY LEN(Wyraz) DESC", "Wyraz",
     "KOTEK;KOTY;PIES;PIESEK"},
    {"top_ties_by_alias", "SELECT TOP 1 Wyraz, LEN(Wyraz) AS L FROM WYRAZY ORDER BY L", "Wyraz|L",
     "KOT|3;OSA|3"},
    {"top_without_order_is_exact", "SELECT TOP 2 Wyraz FROM WYRAZY", "Wyraz", "KOT;KOTEK"},
    {"top_percent_rounds_up", "SELECT TOP 40 PERCENT Wyraz FROM WYRAZY", "Wyraz", "KOT;KOTEK;KOTY"},
    {"top_percent_ordered", "SELECT TOP 20 PERCENT Wyraz FROM WYRAZY ORDER BY WyrazID DESC", "Wyraz",
     "OSA;PIESEK"},
    {"top_in_sub_query",
     "SELECT Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT TOP 2 WyrazID FROM WYRAZY ORDER BY WyrazID DESC)",
     "Wyraz", "OSA;PIESEK"},
    {"captions_as_jet_names_them",
     "SELECT LEFT(Wyraz,2), Wyraz & 'x', True, 7 Mod 3, Wyraz, WYRAZY.WyrazID, [Wyraz] AS W "
     "FROM WYRAZY WHERE WyrazID = 1",
     "Expr1000|Expr1001|Expr1002|Expr1003|Wyraz|WyrazID|W", "KO|KOTx|-1|1|KOT|1|KOT"},
    {"count_caption", "SELECT COUNT(*) FROM WYRAZY", "Expr1000", "6"},
    {"condition_in_where_keeps_rows", "SELECT Wyraz FROM WYRAZY WHERE (LEN(Wyraz) = 3) = True", "Wyraz",
     "KOT;OSA"},
    {"between_and_in", "SELECT Wyraz FROM WYRAZY WHERE WyrazID Between 2 And 4 AND Wyraz Not In ('KOTY')",
     "Wyraz", "KOTEK;PIES"},
    {"division_in_where", "SELECT Wyraz FROM WYRAZY WHERE WyrazID / 4 = 0.5", "Wyraz", "KOTEK"},
};

void PrintTo(const StatementCase& c, std::ostream* os) {
    *os << c.sql;
}

class StatementTest : public ::testing::TestWithParam<StatementCase> {
protected:
    static void SetUpTestSuite() {
        s_dict =
            new TestDictionary({QStringLiteral("KOT"), QStringLiteral("KOTEK"), QStringLiteral("KOTY"),
                                QStringLiteral("PIES"), QStringLiteral("PIESEK"), QStringLiteral("OSA")});
    }
    static void TearDownTestSuite() {
        delete s_dict;
        s_dict = nullptr;
    }
    static TestDictionary* s_dict;
};

TestDictionary* StatementTest::s_dict = nullptr;

TEST_P(StatementTest, GivesTheRowsAndCaptions) {
    const StatementCase& c = GetParam();
    Connection connection;
    connection.open(s_dict->connectionString(true));
    Recordset rs;
    rs.open(QString::fromUtf8(c.sql), connection);
    QStringList captions;
    for (int i = 0; i < rs.fieldCount(); ++i)
        captions << rs.field(i).name;
    EXPECT_EQ(captions.join('|').toStdString(), c.captions);
    QStringList rows;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs.fieldCount(); ++i)
            fields << rs.value(i).toString();
        rows << fields.join('|');
    }
    rows.sort();
    EXPECT_EQ(rows.join(';').toStdString(), c.rows);
}

INSTANTIATE_TEST_SUITE_P(Jet, StatementTest, ::testing::ValuesIn(kStatements),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- refusals: Polish descriptions, the engine's English nowhere ----

struct RefusalCase {
    const char* name;
    const char* sql;
    const char* says; // a part of the description
};

const RefusalCase kRefusals[] = {
    {"syntax_error", "SELECT Wyraz FROM WYRAZY WHERE", "Błąd składni"},
    {"unknown_column", "SELECT Nic FROM WYRAZY", "pole nie istnieje (Nic)"},
    {"unknown_table", "SELECT * FROM BRAK", "tabela nie istnieje (BRAK)"},
    {"unknown_function", "SELECT Brak(1)", "nieznana funkcja (Brak)"},
    {"hidden_table", "SELECT * FROM LiteronMeta", "brak dostępu"},
    {"division_by_zero", "SELECT 1/0", "Dzielenie przez zero"},
    {"whole_division_by_zero", "SELECT 1 \\ 0", "Dzielenie przez zero"},
    {"text_times_number", "SELECT Wyraz * 2 FROM WYRAZY", "Niezgodność typów"},
    {"iif_needs_three", "SELECT IIf(1 = 1, 2)", "trzech argumentów"},
    {"union_of_different_widths", "SELECT 1 UNION SELECT 1, 2", "różną liczbę pól"},
    {"sql_of_the_engine", "SELECT Wyraz FROM WYRAZY LIMIT 1", "Błąd składni"},
    {"unclosed_bracket", "SELECT [Wyraz FROM WYRAZY", "Błąd składni"},
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.sql;
}

class RefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RefusalTest, DescribesTheFaultInPolish) {
    const RefusalCase& c = GetParam();
    TestDictionary dict({QStringLiteral("KOT")});
    Connection connection;
    connection.open(dict.connectionString(true));
    Recordset rs;
    try {
        rs.open(QString::fromUtf8(c.sql), connection);
        for (; !rs.eof(); rs.moveNext()) {
        }
        FAIL() << "accepted";
    } catch (const AppError& e) {
        const QString text = e.description();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.says))) << text.toStdString();
        for (const char* english : {"syntax", "no such", "near", "authorized", "error", "SELECTs"})
            EXPECT_FALSE(text.contains(QLatin1String(english))) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Jet, RefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

QString nested(int levels) {
    return QStringLiteral("SELECT ") + QString(levels, QLatin1Char('(')) + QStringLiteral("1") +
           QString(levels, QLatin1Char(')'));
}

TEST(JetDialect, DeepNestingIsRefusedWithAMessageNotACrash) {
    TestDictionary dict({QStringLiteral("KOT")});
    Connection connection;
    connection.open(dict.connectionString(true));
    Recordset rs;
    rs.open(nested(50), connection);
    EXPECT_EQ(rs.value(0).toInt(), 1);
    rs.close();
    for (const QString& sql :
         {nested(5000), QStringLiteral("SELECT ") + QString(5000, QLatin1Char('-')) + '1',
          QStringLiteral("SELECT 1 WHERE ") + QStringLiteral("NOT ").repeated(5000) + '1',
          QStringLiteral("SELECT 1 IN ") + QStringLiteral("(SELECT 1 IN ").repeated(3000)}) {
        try {
            rs.open(sql, connection);
            FAIL() << "accepted";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().contains(QString::fromUtf8("zbyt złożone")))
                << e.description().toStdString();
        }
    }
}

TEST(JetDialect, LongJoinOfTextsIsOneText) {
    TestDictionary dict({QStringLiteral("KOT")});
    Connection connection;
    connection.open(dict.connectionString(true));
    QStringList parts;
    QString expected;
    for (int i = 0; i < 250; ++i) {
        parts << QStringLiteral("'%1'").arg(i % 10);
        expected += QString::number(i % 10);
    }
    parts[120] = QStringLiteral("NULL");
    expected.remove(120, 1);
    Recordset rs;
    rs.open(QStringLiteral("SELECT ") + parts.join(QStringLiteral(" & ")), connection);
    EXPECT_EQ(rs.value(0).toString(), expected);
}

} // namespace
