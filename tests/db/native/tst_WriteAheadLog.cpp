#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFiles.h"
#include "db/Recordset.h"
#include "db/native/HandlePool.h"
#include "db/native/WriteAheadLog.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QFile>

#include <gtest/gtest.h>

// An edit while a search still reads the same file: the edit goes through at
// once and the search reads on as of its start. The file is in write-ahead
// mode only while the program holds it for writing.
namespace {

void execute(const QString& connectionString, const QString& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandType(Command::AdCmdText);
    command.setCommandText(sql);
    command.execute();
}

QStringList words(const QString& connectionString) {
    Connection connection;
    connection.open(connectionString);
    Recordset rs;
    rs.open(QStringLiteral("SELECT WyrazID, Wyraz FROM WYRAZY"), connection);
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.text(1);
    return values;
}

class WriteAheadLogTest : public ::testing::Test {
protected:
    void SetUp() override { HandlePool::clear(); }
    void TearDown() override { HandlePool::clear(); }
};

TEST_F(WriteAheadLogTest, AnEditDuringAStreamingSearchGoesThroughAndTheSearchReadsOnAsOfItsStart) {
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

TEST_F(WriteAheadLogTest, TheFileIsInRollbackModeOnceTheProgramLetsGo) {
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
    EXPECT_EQ(words(cs), QStringList({"KOT", "PIES"}));
    HandlePool::clear();
    EXPECT_FALSE(WriteAheadLog::isWriteAhead(dictionary.path()));
    EXPECT_FALSE(QFile::exists(dictionary.path() + QStringLiteral("-wal")));
    EXPECT_FALSE(QFile::exists(dictionary.path() + QStringLiteral("-shm")));
}

TEST_F(WriteAheadLogTest, ReadOnlyAndWriteProtectedFilesAreNeverSwitched) {
    TestDictionary dictionary({QStringLiteral("KOT")});
    const QByteArray before = fileBytes(dictionary.path());
    EXPECT_EQ(words(dictionary.connectionString(true)), QStringList{"KOT"});
    EXPECT_EQ(fileBytes(dictionary.path()), before);

    // Write bits off: not switched even when opened for writing (by root, say).
    QFile::setPermissions(dictionary.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    try {
        Connection connection;
        connection.open(dictionary.connectionString());
        EXPECT_FALSE(WriteAheadLog::isWriteAhead(dictionary.path()));
    } catch (const AppError&) {
        // Refusing to open such a file for writing is as good.
    }
    HandlePool::clear();
    EXPECT_EQ(fileBytes(dictionary.path()), before);
    QFile::setPermissions(dictionary.path(), QFile::ReadOwner | QFile::WriteOwner);
}

} // namespace
