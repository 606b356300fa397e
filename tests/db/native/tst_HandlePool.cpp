// Connections to native files: a pooled engine handle serves as if the file
// had been opened afresh, and a file held for writing is in write-ahead mode,
// so an edit goes through while a search still reads it.
#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFiles.h"
#include "db/Recordset.h"
#include "db/native/HandlePool.h"
#include "db/native/WriteAheadLog.h"
#include "support/TestDictionary.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList words(const QString& connectionString) {
    Connection connection;
    connection.open(connectionString);
    Recordset rs;
    rs.open(QStringLiteral("SELECT Wyraz FROM WYRAZY"), connection);
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.text(0);
    return values;
}

void execute(const QString& connectionString, const QString& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandText(sql);
    command.execute();
}

class NativeConnections : public ::testing::Test {
protected:
    void SetUp() override { HandlePool::clear(); }
    void TearDown() override { HandlePool::clear(); }
};

// A handle a read-only connection left behind never serves a read-write one,
// nor the other way round.
TEST_F(NativeConnections, AHandleServesOnlyConnectionsOfItsOwnMode) {
    TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("ALA")});
    EXPECT_EQ(words(dict.connectionString(true)), (QStringList{"KOT", "ALA"}));
    execute(dict.connectionString(false), QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('OSA')"));
    EXPECT_EQ(words(dict.connectionString(false)), (QStringList{"KOT", "ALA", "OSA"}));
    EXPECT_THROW(execute(dict.connectionString(true), QStringLiteral("DELETE FROM WYRAZY")), AppError);
    EXPECT_EQ(words(dict.connectionString(true)).size(), 3);
}

TEST_F(NativeConnections, ThePasswordIsCheckedOnEveryOpen) {
    TestDictionary dict({QStringLiteral("KOT")}, {}, QStringLiteral("tajne"));
    const QString right = ConnectionString::build(true, dict.path(), QStringLiteral("tajne"));
    EXPECT_EQ(words(right), QStringList{"KOT"});
    for (const QString& wrong : {QStringLiteral("jawne"), QString()})
        EXPECT_THROW(words(ConnectionString::build(true, dict.path(), wrong)), AppError);
    EXPECT_EQ(words(right), QStringList{"KOT"});
}

TEST_F(NativeConnections, AnEditDuringAStreamingSearchGoesThroughAndTheSearchReadsOnAsOfItsStart) {
    TestDictionary dictionary(
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")},
        {{3, QStringLiteral("opis")}});
    const QString cs = dictionary.connectionString();
    Connection connection;
    connection.open(cs);
    Recordset search;
    search.open(QStringLiteral("SELECT WyrazID, Wyraz FROM WYRAZY"), connection);
    ASSERT_FALSE(search.eof());
    QStringList read{search.text(1)};

    // Both statements of a word delete, in one transaction, while the search is open.
    Command command;
    command.setActiveConnection(cs);
    EXPECT_NO_THROW(command.executeAll(
        {QStringLiteral(
             "DELETE FROM OPISY WHERE WyrazID IN (SELECT WyrazID FROM WYRAZY WHERE Wyraz IN ('C'))"),
         QStringLiteral("DELETE FROM WYRAZY WHERE Wyraz IN ('C')")}));
    EXPECT_NO_THROW(execute(cs, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('E')")));

    for (search.moveNext(); !search.eof(); search.moveNext())
        read << search.text(1);
    EXPECT_EQ(read, QStringList({"A", "B", "C", "D"}));
    search.close();
    connection.close();
    EXPECT_EQ(words(cs), QStringList({"A", "B", "D", "E"}));
}

TEST_F(NativeConnections, TheFileIsInRollbackModeOnceTheProgramLetsGo) {
    TestDictionary dictionary({QStringLiteral("KOT")});
    const QString cs = dictionary.connectionString();
    EXPECT_FALSE(WriteAheadLog::isWriteAhead(dictionary.path()));
    {
        Connection connection;
        connection.open(cs);
        EXPECT_TRUE(WriteAheadLog::isWriteAhead(dictionary.path()));
        execute(cs, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('PIES')"));
        // The change is in the file itself already, not only in the log: a
        // copy of the file alone holds it, and the copy opens in rollback mode.
        const QString copy = dictionary.folder() + QStringLiteral("/kopia.mdb");
        DatabaseFiles::copyDatabase(dictionary.path(), copy, QString());
        EXPECT_FALSE(WriteAheadLog::isWriteAhead(copy));
        EXPECT_EQ(words(ConnectionString::build(true, copy, QString())), QStringList({"KOT", "PIES"}));
    }
    HandlePool::clear();
    EXPECT_FALSE(WriteAheadLog::isWriteAhead(dictionary.path()));
    EXPECT_FALSE(QFile::exists(dictionary.path() + QStringLiteral("-wal")));
    EXPECT_FALSE(QFile::exists(dictionary.path() + QStringLiteral("-shm")));
}

} // namespace
