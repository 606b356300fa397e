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

} // namespace
