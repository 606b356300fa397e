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

const QStringList kWords = {"KOT", "KOTY", "ŻÓŁW", "KOTEK", "ALA", "ŹDŹBŁO", "KRET", "ROCK'N'ROLL"};

QStringList column(const QString& connectionString, const QString& sql) {
    Connection connection;
    connection.open(connectionString);
    Recordset rs;
    rs.open(sql, connection);
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.value(0).toString();
    return values;
}

qint64 execute(const QString& connectionString, const QString& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandText(sql);
    return command.execute();
}

// The number of the error a call raises; 0 when it raises none.
template <typename Call> qint32 errorNumber(Call call) {
    try {
        call();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

TEST(Provider, RowsComeInWordIdOrderOrderBySortsInPolish) {
    TestDictionary dict(kWords);
    EXPECT_EQ(column(dict.connectionString(), QStringLiteral("SELECT Wyraz FROM WYRAZY")), kWords);
    // Ź, Ż after Z; ż with Ż.
    EXPECT_EQ(column(dict.connectionString(),
                     QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '[!K]%' ORDER BY Wyraz")),
              (QStringList{"ALA", "ROCK'N'ROLL", "ŹDŹBŁO", "ŻÓŁW"}));
}

TEST(Provider, EmptyResultIsAtEofAndRefusesToMove) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    rs.open(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz = 'BRAK'"), connection);
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_EQ(errorNumber([&] { rs.moveFirst(); }), ProviderErrors::NoCurrentRecord);
    EXPECT_THROW(rs.moveNext(), AppError);
    EXPECT_THROW(rs.value(0), AppError);
}
TEST(Provider, CommandWritesTakeEffectAtOnce) {
    TestDictionary dict(kWords);
    const QString cs = dict.connectionString();
    EXPECT_EQ(execute(cs, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('PIES')")), 1);
    EXPECT_EQ(column(cs, QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'pies'")),
              QStringList{"9"});
    EXPECT_EQ(execute(cs, QStringLiteral("UPDATE WYRAZY SET Wyraz = 'KOCUR' WHERE Wyraz = 'kot'")), 1);
    EXPECT_EQ(execute(cs, QStringLiteral("DELETE * FROM WYRAZY WHERE Wyraz IN ('KOCUR', 'KOTY')")), 2);
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY")), QStringList{"7"});
}

// Refused statements leave the file as it was: a trailing statement after a
// ";" (one inside a literal is text), any write on a read-only connection.
TEST(Provider, RefusedStatementsRunNothing) {
    TestDictionary dict(kWords);
    const QString cs = dict.connectionString();
    for (const QString& sql : {QStringLiteral("SELECT 1; DELETE FROM WYRAZY"),
                               QStringLiteral("DELETE FROM OPISY; DELETE FROM WYRAZY")}) {
        EXPECT_THROW(column(cs, sql), AppError) << sql.toStdString();
        EXPECT_THROW(execute(cs, sql), AppError) << sql.toStdString();
    }
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY;  ;")), QStringList{"8"});
    EXPECT_EQ(execute(cs, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('A; DELETE FROM WYRAZY')")), 1);

    const QByteArray before = fileBytes(dict.path());
    const QString readOnly = dict.connectionString(true);
    for (const char* sql : {"INSERT INTO WYRAZY (Wyraz) VALUES ('PIES')", "UPDATE WYRAZY SET Wyraz = 'X'",
                            "DELETE FROM WYRAZY", "CREATE TABLE T (A INTEGER)", "DROP TABLE OPISY"})
        EXPECT_THROW(execute(readOnly, QString::fromUtf8(sql)), AppError) << sql;
    EXPECT_EQ(column(readOnly, QStringLiteral("SELECT COUNT(*) FROM WYRAZY")), QStringList{"9"});
    EXPECT_EQ(fileBytes(dict.path()), before);
    EXPECT_FALSE(QFile::exists(dict.path() + QStringLiteral("-journal")));
}

TEST(Provider, EngineErrorsCarryTheirNumbers) {
    TestDictionary dict(kWords);
    const QString cs = dict.connectionString();
    EXPECT_EQ(errorNumber([&] { column(cs, QStringLiteral("SELECT * FROM NIEMA")); }),
              ProviderErrors::NoSuchTable);
    EXPECT_EQ(errorNumber([&] { column(cs, QStringLiteral("SELECT FROM WHERE")); }),
              ProviderErrors::SyntaxError);
    // The table holding the password hash is out of reach, also through the engine's own words.
    EXPECT_THROW(column(cs, QStringLiteral("PRAGMA table_info(WYRAZY)")), AppError);
}

TEST(Provider, OpensOnlyWithTheRightPasswordAndOnlyADictionaryFile) {
    const qint32 refused = ProviderErrors::AuthenticationFailed;
    const struct {
        const char* created;
        const char* given;
        qint32 error;
    } cases[] = {
        {"tajne", "TAJNE", refused},   {"tajne;1;Mode=Read", "tajne;1;Mode=Read", 0},
        {"tajne;1", "tajne", refused}, {"żółć", "żółć", 0},
        {"", "cokolwiek", 0},
    };
    for (const auto& c : cases) {
        TestDictionary dict({QStringLiteral("KOT")}, {}, QString::fromUtf8(c.created));
        const QString cs = ConnectionString::build(false, dict.path(), QString::fromUtf8(c.given));
        EXPECT_EQ(errorNumber([&] { Connection().open(cs); }), c.error) << c.created << " / " << c.given;
    }

    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("tekst.mdb"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
    file.close();
    Connection connection;
    for (const QString& path : {dir.filePath(QStringLiteral("brak.mdb")), text})
        EXPECT_THROW(connection.open(ConnectionString::build(false, path, QString())), AppError);
    EXPECT_FALSE(connection.isOpen());
}

} // namespace
