#include "db/AppError.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "support/TestDictionary.h"

#include <gtest/gtest.h>

namespace {

struct FunctionCase {
    const char* name;
    const char* expression;
    const char* result; // nullptr: Null
};

const FunctionCase kFunctions[] = {
    {"ucase_polish", "UCASE('żółć źdźbło')", "ŻÓŁĆ ŹDŹBŁO"},
    {"lcase_polish", "LCASE('ŻÓŁĆ')", "żółć"},
    {"upper_polish", "UPPER('ąę')", "ĄĘ"},
    {"len_counts_letters", "LEN('żółć')", "4"},
    {"len_empty", "LEN('')", "0"},
    {"len_null", "LEN(NULL)", nullptr},
    {"ucase_null", "UCASE(NULL)", nullptr},
    {"left", "LEFT('żółć', 2)", "żó"},
    {"left_beyond", "LEFT('ab', 5)", "ab"},
    {"right", "RIGHT('żółć', 1)", "ć"},
    {"mid_with_length", "MID('żółć', 2, 2)", "ół"},
    {"mid_to_end", "MID('abc', 2)", "bc"},
    {"mid_zero_length", "MID('abc', 2, 0)", ""},
    {"instr", "INSTR('KOTEK', 'TE')", "3"},
    {"instr_from_start", "INSTR(3, 'KOTEK', 'K')", "5"},
    {"instr_ignores_case", "INSTR('żółw', 'ŁW')", "3"},
    {"instr_binary", "INSTR(1, 'kot', 'O', 0)", "0"},
    {"instr_absent", "INSTR('kot', 'x')", "0"},
    {"trim", "TRIM('  a b  ')", "a b"},
    {"concatenation", "'a' & 'ż' & 1", "aż1"},
    {"concatenation_null_is_empty", "'a' & NULL & 'b'", "ab"},
    {"concatenation_all_null", "NULL & NULL", nullptr},
    {"concatenation_after_addition", "'x' & 1 + 2", "x3"},
    {"nz_null", "NZ(NULL, 'x')", "x"},
    {"nz_value", "NZ('y', 'x')", "y"},
    {"mod", "7 Mod 3", "1"},
    {"clng_rounds_half_even", "CLNG(2.5)", "2"},
    {"clng_largest", "CLNG(2147483647)", "2147483647"},
    {"cint_largest", "CINT(32767)", "32767"},
    {"cint_smallest", "CINT(-32768)", "-32768"},
    {"str_of_nought_has_the_sign_blank", "STR(0)", " 0"},
    {"str_negative", "STR(-3)", "-3"},
    {"val", "VAL('12ab')", "12"},
    {"chr_asc", "ASC(CHR(65))", "65"},
    {"strreverse", "STRREVERSE('żółw')", "włóż"},
    {"like_in_select", "'ŻÓŁW' LIKE 'żół_'", "-1"},
    {"not_like", "NOT ('KOT' LIKE 'K_')", "-1"},
    {"like_null", "NULL LIKE 'A'", nullptr},
    {"iif", "IIF(LEN('ab') = 2, 'tak', 'nie')", "tak"},
};

class FunctionTest : public ::testing::TestWithParam<FunctionCase> {
protected:
    static void SetUpTestSuite() { s_dict = new TestDictionary({QStringLiteral("KOT")}); }
    static void TearDownTestSuite() {
        delete s_dict;
        s_dict = nullptr;
    }
    static TestDictionary* s_dict;
};

TestDictionary* FunctionTest::s_dict = nullptr;

TEST_P(FunctionTest, GivesTheExpectedValue) {
    const FunctionCase& c = GetParam();
    Connection connection;
    connection.open(s_dict->connectionString(true));
    Recordset rs;
    rs.open(QStringLiteral("SELECT ") + QString::fromUtf8(c.expression) + QStringLiteral(" FROM WYRAZY"),
            connection);
    ASSERT_FALSE(rs.eof());
    const QVariant value = rs.value(0);
    if (!c.result)
        EXPECT_FALSE(value.isValid()) << value.toString().toStdString();
    else
        EXPECT_EQ(value.toString().toStdString(), c.result);
}

INSTANTIATE_TEST_SUITE_P(Jet, FunctionTest, ::testing::ValuesIn(kFunctions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SqlFunctions, BadArgumentsRaise) {
    TestDictionary dict({QStringLiteral("KOT")});
    Connection connection;
    connection.open(dict.connectionString(true));
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
