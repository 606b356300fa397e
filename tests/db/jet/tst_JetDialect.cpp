#include "db/AppError.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "support/TestDictionary.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// One dictionary for every statement of this file; nothing here writes to it.
class JetDialect : public ::testing::Test {
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
    void SetUp() override { connection.open(s_dict->connectionString(true)); }
    static TestDictionary* s_dict;
    Connection connection;
};

TestDictionary* JetDialect::s_dict = nullptr;

// What a value of the result is, as the list and the callers read it.
std::string typeOf(const QVariant& v) {
    if (!v.isValid() || v.isNull())
        return "null";
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return "whole";
    case QMetaType::Double:
        return "double";
    default:
        return "text";
    }
}

struct ExpressionCase {
    const char* name;
    const char* expression;
    const char* type;  // whole, double, text or null
    const char* value; // the value as text; ignored for null
};

void PrintTo(const ExpressionCase& c, std::ostream* os) {
    *os << c.expression;
}

const ExpressionCase kExpressions[] = {
    {"slash_always_floating", "7/2", "double", "3.5"},
    {"slash_exact_stays_floating", "6/2", "double", "3"},
    {"slash_binds_like_times", "1 + 6 / 4 * 2", "double", "4"},
    {"backslash_whole_division", "7 \\ 2", "whole", "3"},
    {"backslash_rounds_operands_half_even", "7.5 \\ 2.5", "whole", "4"},
    {"backslash_truncates_negative", "-7 \\ 2", "whole", "-3"},
    {"backslash_before_mod", "7 Mod 5 \\ 2", "whole", "1"},
    {"caret_power", "2 ^ 10", "whole", "1024"},
    {"caret_before_sign", "-2 ^ 2", "whole", "-4"},
    {"caret_negative_exponent", "2 ^ -1", "double", "0.5"},
    {"caret_left_to_right", "2 ^ 3 ^ 2", "whole", "64"},
    {"mod_sign_of_dividend", "-7 Mod 3", "whole", "-1"},
    {"mod_after_times", "2 * 5 Mod 3", "whole", "1"},
    {"plus_joins_texts", "'a' + 'b'", "text", "ab"},
    {"plus_adds_numeric_text", "1 + '2'", "double", "3"},
    {"plus_with_null_is_null", "'a' + NULL", "null", ""},
    {"ampersand_null_is_empty", "'a' & NULL & 'b'", "text", "ab"},
    {"ampersand_after_plus", "'x' & 1 + 2", "text", "x3"},
    {"minus_minus_is_no_comment", "5--3", "whole", "8"},
    {"equal_is_minus_one", "1=1", "whole", "-1"},
    {"unequal_is_nought", "1=2", "whole", "0"},
    {"true_literal", "True", "whole", "-1"},
    {"and_of_comparisons", "1 < 2 And 3 < 2", "whole", "0"},
    {"not_of_comparison", "Not 1 > 2", "whole", "-1"},
    {"xor", "(1 = 1) Xor (1 = 2)", "whole", "-1"},
    {"is_null", "NULL Is Null", "whole", "-1"},
    {"like_is_minus_one", "'ŻÓŁW' LIKE 'żół_'", "whole", "-1"},
    {"double_quotes_are_a_text", "\"O'K\"", "text", "O'K"},
    {"literal_never_translated", "'TOP 5 & [x]; \"y\" #1#'", "text", "TOP 5 & [x]; \"y\" #1#"},
    {"date_literal_month_first", "#12/31/2024#", "text", "2024-12-31"},
    {"iif_false_branch", "IIf(1 > 2, 'tak', 'nie')", "text", "nie"},
    {"iif_null_condition_is_false", "IIf(NULL, 'tak', 'nie')", "text", "nie"},
    {"nz", "Nz(NULL, 5)", "whole", "5"},
    {"format_grouped_two_places", "Format(1234.5, '#,##0.00')", "text", "1 234,50"},
    {"format_zero_padded", "Format(7, '000')", "text", "007"},
    {"format_percent", "Format(0.256, '0.0%')", "text", "25,6%"},
    {"format_date", "Format(#2024-03-05#, 'dd.mm.yyyy')", "text", "05.03.2024"},
    {"format_time_minutes", "Format(#2024-03-05 14:07:09#, 'hh:nn')", "text", "14:07"},
    {"val", "Val('12ab')", "double", "12"},
    {"str_positive_has_blank", "Str(5)", "text", " 5"},
    {"clng_half_even", "CLng(2.5)", "whole", "2"},
    {"cint_half_even", "CInt(3.5)", "whole", "4"},
    {"int_rounds_down", "Int(-2.5)", "double", "-3"},
    {"fix_towards_zero", "Fix(-2.5)", "double", "-2"},
    {"round_half_even", "Round(2.5)", "double", "2"},
    {"round_places_half_even", "Round(2.345, 2)", "double", "2.34"},
    {"asc", "Asc('Ą')", "whole", "260"},
    {"ltrim", "LTrim('  a ')", "text", "a "},
    {"string_of_text", "String(3, 'xy')", "text", "xxx"},
    {"strreverse", "StrReverse('żółw')", "text", "włóż"},
    {"replace", "Replace('kot kot', 'o', 'a')", "text", "kat kat"},
    {"instrrev", "InStrRev('kotek', 'K')", "whole", "5"},
    {"instrrev_from", "InStrRev('kotek', 'k', 4)", "whole", "1"},
    {"ucase_polish", "UCase('żółć źdźbło')", "text", "ŻÓŁĆ ŹDŹBŁO"},
    {"lcase_polish", "LCase('ŻÓŁĆ')", "text", "żółć"},
    {"len_counts_letters", "Len('żółć')", "whole", "4"},
    {"len_empty", "Len('')", "whole", "0"},
    {"len_null", "Len(NULL)", "null", ""},
    {"left_right", "Left('żółw', 2) & Right('żółw', 1)", "text", "żów"},
    {"mid_with_length", "Mid('żółć', 2, 2)", "text", "ół"},
    {"mid_zero_length", "Mid('abc', 2, 0)", "text", ""},
    {"instr", "InStr('KOTEK', 'TE')", "whole", "3"},
    {"instr_from_start", "InStr(3, 'KOTEK', 'K')", "whole", "5"},
    {"instr_ignores_case", "InStr('żółw', 'ŁW')", "whole", "3"},
    {"instr_binary", "InStr(1, 'kot', 'O', 0)", "whole", "0"},
    {"trim", "Trim('  a b  ')", "text", "a b"},
    {"concatenation", "'a' & 'ż' & 1", "text", "aż1"},
    {"concatenation_all_null", "NULL & NULL", "null", ""},
    {"clng_largest", "CLng(2147483647)", "whole", "2147483647"},
    {"cint_largest", "CInt(32767)", "whole", "32767"},
    {"cint_smallest", "CInt(-32768)", "whole", "-32768"},
    {"str_of_nought_has_the_sign_blank", "Str(0)", "text", " 0"},
    {"not_like", "NOT ('KOT' LIKE 'K_')", "whole", "-1"},
    {"like_null", "NULL LIKE 'A'", "null", ""},
    {"month", "Month(#2024-03-05#)", "whole", "3"},
    {"now_has_a_time", "Len(Now())", "whole", "19"},
};

class Expression : public JetDialect, public ::testing::WithParamInterface<ExpressionCase> {};

TEST_P(Expression, GivesTheDialectsValueAndType) {
    const ExpressionCase& c = GetParam();
    Recordset rs;
    rs.open(QStringLiteral("SELECT ") + QString::fromUtf8(c.expression), connection);
    ASSERT_FALSE(rs.eof());
    const QVariant value = rs.value(0);
    EXPECT_EQ(typeOf(value), c.type) << value.toString().toStdString();
    if (std::string(c.type) != "null") {
        EXPECT_EQ(value.toString().toStdString(), c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Jet, Expression, ::testing::ValuesIn(kExpressions),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- whole statements: rows and captions ----

struct StatementCase {
    const char* name;
    const char* sql;
    const char* captions; // "|" between captions
    const char* rows;     // ";" between rows, "|" between fields; compared in sorted order
};

void PrintTo(const StatementCase& c, std::ostream* os) {
    *os << c.sql;
}

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
    {"top_ties_by_alias", "SELECT TOP 1 Wyraz, LEN(Wyraz) AS L FROM WYRAZY ORDER BY L", "Wyraz|L",
     "KOT|3;OSA|3"},
    {"top_without_order_is_exact", "SELECT TOP 2 Wyraz FROM WYRAZY", "Wyraz", "KOT;KOTEK"},
    {"distinct_then_top", "SELECT DISTINCT TOP 2 LEN(Wyraz) AS L FROM WYRAZY", "L", "3;5"},
    {"top_percent_rounds_up", "SELECT TOP 40 PERCENT Wyraz FROM WYRAZY", "Wyraz", "KOT;KOTEK;KOTY"},
    {"top_in_sub_query",
     "SELECT Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT TOP 2 WyrazID FROM WYRAZY ORDER BY WyrazID DESC)",
     "Wyraz", "OSA;PIESEK"},
    {"captions_as_jet_names_them",
     "SELECT LEFT(Wyraz,2), Wyraz & 'x', True, 7 Mod 3, Wyraz, WYRAZY.WyrazID, [Wyraz] AS W "
     "FROM WYRAZY WHERE WyrazID = 1",
     "Expr1000|Expr1001|Expr1002|Expr1003|Wyraz|WyrazID|W", "KO|KOTx|-1|1|KOT|1|KOT"},
    {"condition_in_where_keeps_rows", "SELECT Wyraz FROM WYRAZY WHERE (LEN(Wyraz) = 3) = True", "Wyraz",
     "KOT;OSA"},
    {"between_and_in", "SELECT Wyraz FROM WYRAZY WHERE WyrazID Between 2 And 4 AND Wyraz Not In ('KOTY')",
     "Wyraz", "KOTEK;PIES"},
    {"division_in_where", "SELECT Wyraz FROM WYRAZY WHERE WyrazID / 4 = 0.5", "Wyraz", "KOTEK"},
};

class Statement : public JetDialect, public ::testing::WithParamInterface<StatementCase> {};

TEST_P(Statement, GivesTheRowsAndCaptions) {
    const StatementCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(Jet, Statement, ::testing::ValuesIn(kStatements),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- refusals: Polish descriptions, the engine's English nowhere ----

struct RefusalCase {
    const char* name;
    const char* sql;
    const char* says; // a part of the description
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.sql;
}

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
};

class Refusal : public JetDialect, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusal, DescribesTheFaultInPolish) {
    const RefusalCase& c = GetParam();
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

INSTANTIATE_TEST_SUITE_P(Jet, Refusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

QString nested(int levels) {
    return QStringLiteral("SELECT ") + QString(levels, QLatin1Char('(')) + QStringLiteral("1") +
           QString(levels, QLatin1Char(')'));
}

TEST_F(JetDialect, DeepNestingIsRefusedWithAMessageNotACrash) {
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

TEST_F(JetDialect, LongJoinOfTextsIsOneText) {
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

TEST_F(JetDialect, BadArgumentsRaise) {
    for (const char* sql : {"SELECT LEFT(Wyraz, -1) FROM WYRAZY", "SELECT MID(Wyraz, 0) FROM WYRAZY",
                            "SELECT CINT(32768) FROM WYRAZY", "SELECT CLNG(-2147483649) FROM WYRAZY",
                            "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '[AB'"}) {
        Recordset rs;
        EXPECT_THROW(rs.open(QString::fromUtf8(sql), connection), AppError) << sql;
    }
}

TEST(SqlFunctions, FirstAndLastOfAGroup) {
    TestDictionary dict(
        {QStringLiteral("A"), QStringLiteral("B")},
        {{1, QStringLiteral("pierwszy")}, {1, QStringLiteral("drugi")}, {2, QStringLiteral("jedyny")}});
    Connection connection;
    connection.open(dict.connectionString(true));
    Recordset rs;
    rs.open(QStringLiteral(
                "SELECT WyrazID, FIRST(Opis), LAST(Opis) FROM OPISY GROUP BY WyrazID ORDER BY WyrazID"),
            connection);
    EXPECT_EQ(rs.value(1).toString(), QStringLiteral("pierwszy"));
    EXPECT_EQ(rs.value(2).toString(), QStringLiteral("drugi"));
    rs.moveNext();
    EXPECT_EQ(rs.value(2).toString(), QStringLiteral("jedyny"));
}

TEST(SqlFunctions, EqualityOnWordsIgnoresCaseAndKeepsDiacritics) {
    TestDictionary dict({QStringLiteral("ŻÓŁW"), QStringLiteral("ZOLW"), QStringLiteral("KOT")});
    Connection connection;
    connection.open(dict.connectionString(true));
    Recordset rs;
    rs.open(QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'żółw'"), connection);
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0).toInt(), 1);
    rs.close();
    rs.open(QStringLiteral("SELECT COUNT(*) FROM WYRAZY WHERE Wyraz IN ('zolw', 'kot')"), connection);
    EXPECT_EQ(rs.value(0).toInt(), 2);
}

} // namespace
