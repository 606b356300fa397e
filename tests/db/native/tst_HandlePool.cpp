#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/ProviderErrors.h"
#include "db/Recordset.h"
#include "db/native/HandlePool.h"
#include "support/TestDictionary.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sqlite3.h>

// Every search opens a connection of its own; a closed connection's engine
// handle waits for the next one. Whatever it is handed, a connection must
// behave as if it had opened the file itself.
namespace {

QStringList words(const QString& connectionString,
                  const QString& sql = QStringLiteral("SELECT Wyraz FROM WYRAZY")) {
    Connection connection;
    connection.open(connectionString);
    Recordset rs;
    rs.open(sql, connection);
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.text(0);
    return values;
}

void execute(const QString& connectionString, const QString& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandType(Command::AdCmdText);
    command.setCommandText(sql);
    command.execute();
}

qint32 openError(const QString& connectionString) {
    try {
        Connection connection;
        connection.open(connectionString);
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

class HandlePoolTest : public ::testing::Test {
protected:
    void SetUp() override { HandlePool::clear(); }
    void TearDown() override { HandlePool::clear(); }
};

// A handle a read-only connection left behind never serves a read-write one,
// nor the other way round.
TEST_F(HandlePoolTest, AHandleServesOnlyConnectionsOfItsOwnMode) {
    TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("ALA")});
    EXPECT_EQ(words(dict.connectionString(true)), (QStringList{"KOT", "ALA"}));
    execute(dict.connectionString(false), QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('OSA')"));
    EXPECT_EQ(words(dict.connectionString(false)), (QStringList{"KOT", "ALA", "OSA"}));
    EXPECT_THROW(execute(dict.connectionString(true), QStringLiteral("DELETE FROM WYRAZY")), AppError);
    EXPECT_EQ(words(dict.connectionString(true)).size(), 3);
}

TEST_F(HandlePoolTest, AHandleThatWroteIsClosed) {
    TestDictionary dict({QStringLiteral("KOT")});
    execute(dict.connectionString(), QStringLiteral("CREATE TEMP TABLE Notatki (Tekst TEXT)"));
    // The temporary table went with its handle.
    EXPECT_THROW(words(dict.connectionString(), QStringLiteral("SELECT Tekst FROM Notatki")), AppError);
    execute(dict.connectionString(), QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('ALA')"));
    EXPECT_EQ(words(dict.connectionString()), (QStringList{"KOT", "ALA"}));
}

TEST_F(HandlePoolTest, ChangesByAnotherProcessAreSeen) {
    TestDictionary dict({QStringLiteral("KOT")});
    const QString cs = dict.connectionString(true);
    EXPECT_EQ(words(cs), QStringList{"KOT"});
    dict.exec(QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('ALA')"));
    EXPECT_EQ(words(cs), (QStringList{"KOT", "ALA"}));
}

TEST_F(HandlePoolTest, AFileReplacedUnderItsNameIsOpenedAfresh) {
    TestDictionary dict({QStringLiteral("KOT")});
    TestDictionary other({QStringLiteral("ŻUK"), QStringLiteral("ŻABA")});
    const QString cs = dict.connectionString(true);
    EXPECT_EQ(words(cs), QStringList{"KOT"});
    ASSERT_TRUE(QFile::remove(dict.path()));
    ASSERT_TRUE(QFile::copy(other.path(), dict.path()));
    EXPECT_EQ(words(cs), (QStringList{"ŻUK", "ŻABA"}));
    // And a file that is gone is reported as such.
    ASSERT_TRUE(QFile::remove(dict.path()));
    EXPECT_EQ(openError(cs), ProviderErrors::fileNotFound(dict.path()).number());
}

TEST_F(HandlePoolTest, ThePasswordIsCheckedOnEveryOpen) {
    TestDictionary dict({QStringLiteral("KOT")}, {}, QStringLiteral("tajne"));
    const QString right = ConnectionString::build(true, dict.path(), QStringLiteral("tajne"));
    const QString wrong = ConnectionString::build(true, dict.path(), QStringLiteral("jawne"));
    const qint32 refused = ProviderErrors::wrongPassword().number();
    EXPECT_EQ(words(right), QStringList{"KOT"});
    EXPECT_EQ(openError(wrong), refused);
    EXPECT_EQ(openError(ConnectionString::build(true, dict.path(), QString())), refused);
    EXPECT_EQ(openError(right), 0);
}

// With the password table in place, and in a file made without it.
TEST_F(HandlePoolTest, APasswordSetMeanwhileIsAskedFor) {
    for (const bool withTable : {true, false}) {
        TestDictionary dict({QStringLiteral("KOT")});
        if (!withTable)
            dict.exec(QStringLiteral("DROP TABLE LiteronMeta"));
        const QString open = dict.connectionString(true);
        EXPECT_EQ(words(open), QStringList{"KOT"});
        // Another program protects the file while our handle waits.
        sqlite3* db = nullptr;
        ASSERT_EQ(
            sqlite3_open_v2(QFile::encodeName(dict.path()).constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
            SQLITE_OK);
        ASSERT_EQ(
            sqlite3_exec(db,
                         "CREATE TABLE IF NOT EXISTS LiteronMeta (Klucz VARCHAR(50) PRIMARY KEY, "
                         "Wartosc LONGTEXT);"
                         "INSERT INTO LiteronMeta VALUES ('HasloSkrot', "
                         "'$argon2id$v=19$m=65536,t=2,p=1$c29sdHNvbHRzb2x0$aGFzaGhhc2hoYXNoaGFzaGhhc2g')",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
        EXPECT_EQ(openError(open), ProviderErrors::wrongPassword().number()) << withTable;
    }
}

} // namespace
