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

TEST(ConnectionString, ParseGivesBackWhatWasBuilt) {
    const struct {
        bool readOnly;
        QString path;
        QString password;
    } cases[] = {
        {true, "/home/ala/Słowniki/słownik.mdb", ""},
        {false, "/tmp/a;Mode=Read;b.mdb", "p"},
        {true, "/tmp/a.mdb", "tajne;1;Mode=ReadWrite"},
        {false, "/tmp/a.mdb", ";Jet OLEDB:Database Password=zz"},
        {false, "/tmp/z spacją .mdb", " hasło "},
    };
    for (const auto& c : cases) {
        const QString text = ConnectionString::build(c.readOnly, c.path, c.password);
        const ConnectionString parsed = ConnectionString::parse(text);
        EXPECT_EQ(parsed.readOnly, c.readOnly) << text.toStdString();
        EXPECT_EQ(parsed.path, c.path);
        EXPECT_EQ(parsed.password, c.password);
        EXPECT_EQ(parsed.toString(), text);
    }
}

TEST(ConnectionString, RefusesOtherProvidersAndMissingSource) {
    for (const char* text : {"Provider=SQLOLEDB;Data Source=/tmp/a.mdb", "Data Source=/tmp/a.mdb",
                             "Provider=Microsoft.Jet.OLEDB.4.0;Mode=Read", "",
                             "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=;Jet OLEDB:Database Password=x"})
        EXPECT_THROW(ConnectionString::parse(QString::fromUtf8(text)), AppError) << text;
}

} // namespace
