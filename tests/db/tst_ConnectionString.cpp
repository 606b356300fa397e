#include "db/AppError.h"
#include "db/ConnectionString.h"

#include <gtest/gtest.h>

namespace {

TEST(ConnectionString, BuildsTheExactText) {
    EXPECT_EQ(ConnectionString::build(true, QStringLiteral("/d/s.mdb"), QString()),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Mode=Read;Persist Security Info=False;"
                             "Data Source=/d/s.mdb;Jet OLEDB:Database Password="));
    EXPECT_EQ(ConnectionString::build(false, QStringLiteral("/d/s.mdb"), QStringLiteral("tajne;1")),
              QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite;Persist Security Info=False;"
                             "Data Source=/d/s.mdb;Jet OLEDB:Database Password=tajne;1"));
}

struct ParseCase {
    const char* name;
    bool readOnly;
    const char* path;
    const char* password;
};

const ParseCase kRoundTrips[] = {
    {"plain", false, "/home/ala/Słowniki/słownik.mdb", ""},
    {"read_only", true, "/tmp/a.mdb", "x"},
    {"semicolon_in_path", false, "/tmp/a;Mode=Read;b.mdb", "p"},
    {"semicolon_in_password", true, "/tmp/a.mdb", "tajne;1;Mode=ReadWrite"},
    {"password_holds_the_key_text", false, "/tmp/a.mdb", ";Jet OLEDB:Database Password=zz"},
    {"blanks_kept", false, "/tmp/z spacją .mdb", " hasło "},
};

class RoundTripTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(RoundTripTest, ParseGivesBackWhatWasBuilt) {
    const ParseCase& c = GetParam();
    const QString text =
        ConnectionString::build(c.readOnly, QString::fromUtf8(c.path), QString::fromUtf8(c.password));
    const ConnectionString parsed = ConnectionString::parse(text);
    EXPECT_EQ(parsed.readOnly, c.readOnly);
    EXPECT_EQ(parsed.path, QString::fromUtf8(c.path));
    EXPECT_EQ(parsed.password, QString::fromUtf8(c.password));
    EXPECT_EQ(parsed.toString(), text);
}

INSTANTIATE_TEST_SUITE_P(Texts, RoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConnectionString, RefusesOtherProvidersAndMissingSource) {
    EXPECT_THROW(ConnectionString::parse(QStringLiteral("Provider=SQLOLEDB;Data Source=/tmp/a.mdb")),
                 AppError);
    EXPECT_THROW(ConnectionString::parse(QStringLiteral("Data Source=/tmp/a.mdb")), AppError);
    EXPECT_THROW(ConnectionString::parse(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Mode=Read")),
                 AppError);
    EXPECT_THROW(ConnectionString::parse(QString()), AppError);
    EXPECT_THROW(ConnectionString::parse(QStringLiteral(
                     "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=;Jet OLEDB:Database Password=x")),
                 AppError);
}

} // namespace
