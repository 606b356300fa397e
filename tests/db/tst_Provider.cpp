#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/ProviderErrors.h"
#include "db/Recordset.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QStringList kWords = {QStringLiteral("KOT"),   QStringLiteral("KOTY"),       QStringLiteral("ŻÓŁW"),
                            QStringLiteral("KOTEK"), QStringLiteral("ALA"),        QStringLiteral("ŹDŹBŁO"),
                            QStringLiteral("KRET"),  QStringLiteral("ROCK'N'ROLL")};

QStringList column(const QString& connectionString, const QString& sql, int field = 0) {
    Connection connection;
    connection.open(connectionString);
    Recordset rs;
    rs.open(sql, connection);
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.value(field).toString();
    return values;
}

qint64 execute(const QString& connectionString, const QString& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandText(sql);
    return command.execute();
}

TEST(Provider, RowsComeInWordIdOrderAndTopIsDeterministic) {
    TestDictionary dict(kWords);
    const QString cs = dict.connectionString();
    EXPECT_EQ(column(cs, QStringLiteral("SELECT Wyraz FROM WYRAZY")), kWords);
    EXPECT_EQ(column(cs, QStringLiteral("SELECT TOP 3 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'")),
              (QStringList{"KOT", "KOTY", "KOTEK"}));
    EXPECT_EQ(column(cs, QStringLiteral("SELECT TOP 2 Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 4")),
              (QStringList{"KOTY", "ŻÓŁW"}));
    // An explicit ORDER BY sorts in Polish order (Ź, Ż after Z; ż with Ż).
    EXPECT_EQ(column(cs, QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '[!K]%' ORDER BY Wyraz")),
              (QStringList{"ALA", "ROCK'N'ROLL", "ŹDŹBŁO", "ŻÓŁW"}));
}

TEST(Provider, MoveFirstOnEmptyResultRaisesAndEofIsTrue) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    rs.open(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz = 'BRAK'"), connection);
    EXPECT_TRUE(rs.eof());
    try {
        rs.moveFirst();
        FAIL() << "MoveFirst on an empty result must raise";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ProviderErrors::NoCurrentRecord);
    }
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_THROW(rs.moveNext(), AppError);
    EXPECT_THROW(rs.value(0), AppError);
    EXPECT_THROW(rs.getRows(), AppError);
}

TEST(Provider, CommandWritesTakeEffectAtOnce) {
    TestDictionary dict(kWords, {{1, QStringLiteral("zwierzę")}, {2, QStringLiteral("zwierzęta")}});
    const QString cs = dict.connectionString();
    EXPECT_EQ(execute(cs, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('PIES')")), 1);
    EXPECT_EQ(column(cs, QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'pies'")),
              QStringList{QString::number(kWords.size() + 1)});
    EXPECT_EQ(execute(cs, QStringLiteral("UPDATE WYRAZY SET Wyraz = 'KOCUR' WHERE Wyraz = 'kot'")), 1);
    EXPECT_EQ(
        execute(cs, QStringLiteral("DELETE FROM OPISY WHERE WyrazID IN (SELECT WyrazID FROM WYRAZY WHERE "
                                   "Wyraz IN ('KOCUR', 'KOTY'))")),
        2);
    EXPECT_EQ(execute(cs, QStringLiteral("DELETE * FROM WYRAZY WHERE Wyraz IN ('KOCUR', 'KOTY')")), 2);
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM OPISY")), QStringList{"0"});
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY")),
              QStringList{QString::number(kWords.size() - 1)});
}

TEST(Provider, TrailingStatementIsRefusedAndNothingRuns) {
    TestDictionary dict(kWords);
    const QString cs = dict.connectionString();
    for (const QString& sql : {QStringLiteral("SELECT 1; DELETE FROM WYRAZY"),
                               QStringLiteral("SELECT Wyraz FROM WYRAZY;DELETE FROM WYRAZY;"),
                               QStringLiteral("DELETE FROM OPISY; DELETE FROM WYRAZY")}) {
        EXPECT_THROW(column(cs, sql), AppError) << sql.toStdString();
        EXPECT_THROW(execute(cs, sql), AppError) << sql.toStdString();
    }
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY;  ;")), QStringList{"8"});
    // A ";" inside a literal is text, not the end of the statement.
    EXPECT_EQ(execute(cs, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('A; DELETE FROM WYRAZY')")), 1);
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY")), QStringList{"9"});
}

TEST(Provider, ReadOnlyRefusesWritesAndLeavesTheFileUntouched) {
    TestDictionary dict(kWords);
    const QByteArray before = fileBytes(dict.path());
    const QString cs = dict.connectionString(true);
    for (const QString& sql :
         {QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('PIES')"),
          QStringLiteral("UPDATE WYRAZY SET Wyraz = 'X'"), QStringLiteral("DELETE FROM WYRAZY"),
          QStringLiteral("CREATE TABLE T (A INTEGER)"), QStringLiteral("DROP TABLE OPISY")})
        EXPECT_THROW(execute(cs, sql), AppError) << sql.toStdString();
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY")), QStringList{"8"});
    EXPECT_EQ(fileBytes(dict.path()), before);
    EXPECT_FALSE(QFile::exists(dict.path() + QStringLiteral("-journal")));
}

TEST(Provider, EngineErrorsCarryTheirNumbers) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    for (const auto& [sql, number] : {std::pair{"SELECT * FROM NIEMA", qint32(ProviderErrors::NoSuchTable)},
                                      std::pair{"SELECT FROM WHERE", qint32(ProviderErrors::SyntaxError)}}) {
        try {
            rs.open(QString::fromUtf8(sql), connection);
            ADD_FAILURE() << sql;
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), number) << sql;
        }
    }
    // The table holding the password hash is out of reach, also through the engine's own words.
    EXPECT_THROW(rs.open(QStringLiteral("PRAGMA table_info(WYRAZY)"), connection), AppError);
}

struct PasswordCase {
    const char* name;
    const char* created;
    const char* given;
    bool opens;
};

class PasswordTest : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(PasswordTest, OpensOnlyWithTheRightPassword) {
    const PasswordCase& c = GetParam();
    TestDictionary dict({QStringLiteral("KOT")}, {}, QString::fromUtf8(c.created));
    const QString cs = ConnectionString::build(false, dict.path(), QString::fromUtf8(c.given));
    Connection connection;
    if (c.opens) {
        EXPECT_NO_THROW(connection.open(cs));
    } else {
        try {
            connection.open(cs);
            FAIL() << "opened with a wrong password";
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), ProviderErrors::AuthenticationFailed);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Passwords, PasswordTest,
                         ::testing::Values(PasswordCase{"right", "tajne", "tajne", true},
                                           PasswordCase{"wrong", "tajne", "jawne", false},
                                           PasswordCase{"case_matters", "tajne", "TAJNE", false},
                                           PasswordCase{"semicolons", "tajne;1;Mode=Read",
                                                        "tajne;1;Mode=Read", true},
                                           PasswordCase{"semicolon_missing", "tajne;1", "tajne", false},
                                           PasswordCase{"polish", "żółć", "żółć", true},
                                           PasswordCase{"none_set_any_given", "", "cokolwiek", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Provider, OpenFailsForMissingAndForeignFiles) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("brak.mdb"));
    Connection connection;
    EXPECT_THROW(connection.open(ConnectionString::build(false, missing, QString())), AppError);
    const QString text = dir.filePath(QStringLiteral("tekst.mdb"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    EXPECT_THROW(connection.open(ConnectionString::build(false, text, QString())), AppError);
    EXPECT_FALSE(connection.isOpen());
}

} // namespace
