#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/ProviderErrors.h"
#include "db/Recordset.h"
#include "support/IndexDifferential.h"
#include "support/TestDictionary.h"

#include <QCryptographicHash>
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
    while (!rs.eof()) {
        values << rs.value(field).toString();
        rs.moveNext();
    }
    return values;
}

qint64 execute(const QString& connectionString, const QString& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandTimeout(30);
    command.setCommandType(Command::AdCmdText);
    command.setCommandText(sql);
    return command.execute();
}

QByteArray fileDigest(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
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

// Searches send no ORDER BY: their statements must scan the table itself (in
// WyrazID order), never the alphabetical Wyraz index.
TEST(Provider, SearchStatementsScanTheTableInWordIdOrder) {
    QStringList words;
    for (int i = 0; i < 2000; ++i)
        words << QStringLiteral("W%1").arg(1999 - i, 4, 10, QLatin1Char('0'));
    TestDictionary dict(words);
    // A wider row makes the index the cheaper thing to scan, were it allowed.
    dict.exec(QStringLiteral("ALTER TABLE WYRAZY ADD COLUMN Uwagi LONGTEXT"));
    dict.exec(QStringLiteral("UPDATE WYRAZY SET Uwagi = printf('%.200c', 'x')"));
    dict.exec(QStringLiteral("ANALYZE"));
    const QString cs = dict.connectionString(true);
    const EngineOnly engine; // the engine's own order, not the index's
    for (const QString& sql :
         {QStringLiteral("SELECT TOP 5 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'W%'"),
          QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 5"),
          QStringLiteral("SELECT Wyraz FROM WYRAZY"), QStringLiteral("SELECT TOP 3 * FROM WYRAZY")})
        EXPECT_EQ(column(cs, sql, sql.contains(QLatin1Char('*')) ? 1 : 0).first().toStdString(), "W1999");
}

TEST(Provider, FieldsReportNamesTypeCodesAndSizes) {
    TestDictionary dict(kWords, {{1, QStringLiteral("zwierzę")}});
    Connection connection;
    connection.setCommandTimeout(10);
    connection.open(dict.connectionString());
    Recordset rs;
    rs.open(QStringLiteral("SELECT TOP 1 * FROM WYRAZY"), connection);
    ASSERT_EQ(rs.fieldCount(), 2);
    EXPECT_EQ(rs.field(0).name, QStringLiteral("WyrazID"));
    EXPECT_EQ(rs.field(0).type, 3);
    EXPECT_EQ(rs.field(1).name, QStringLiteral("Wyraz"));
    EXPECT_EQ(rs.field(1).type, 202);
    EXPECT_EQ(rs.field(1).definedSize, 50);
    EXPECT_EQ(rs.fieldIndex(QStringLiteral("wyraz")), 1);
    EXPECT_EQ(rs.value(QStringLiteral("WYRAZ")).toString(), QStringLiteral("KOT"));
    EXPECT_EQ(rs.value(0).typeId(), QMetaType::Int);
    rs.close();

    rs.open(QStringLiteral("SELECT TOP 1 * FROM OPISY"), connection);
    EXPECT_EQ(rs.field(QStringLiteral("Opis")).type, 202);
    EXPECT_EQ(rs.field(QStringLiteral("Opis")).definedSize, 255);
    EXPECT_EQ(rs.field(QStringLiteral("WyrazID")).type, 3);
    rs.close();

    rs.open(QStringLiteral("SELECT COUNT(*), UCASE(Wyraz) AS Duze, LEN(Wyraz) FROM WYRAZY"), connection);
    EXPECT_EQ(rs.field(0).type, 3);
    EXPECT_EQ(rs.field(1).type, 202);
    EXPECT_EQ(rs.field(1).name, QStringLiteral("Duze"));
    EXPECT_EQ(rs.field(2).type, 3);
    EXPECT_EQ(rs.value(0).toInt(), kWords.size());
    EXPECT_THROW(rs.field(3), AppError);
    EXPECT_THROW(rs.value(QStringLiteral("Brak")), AppError);
    rs.close();

    // Null is an invalid variant, not an empty text.
    dict.exec(QStringLiteral("INSERT INTO OPISY (WyrazID, Opis) VALUES (2, NULL)"));
    rs.open(QStringLiteral("SELECT Opis FROM OPISY WHERE WyrazID = 2"), connection);
    EXPECT_FALSE(rs.value(0).isValid());
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

TEST(Provider, MoveFirstAfterReadingStartsAgain) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    rs.open(QStringLiteral("SELECT Wyraz FROM WYRAZY"), connection);
    rs.moveFirst();
    rs.moveNext();
    rs.moveNext();
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("ŻÓŁW"));
    rs.moveFirst();
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("KOT"));
    // RecordCount reads everything but keeps the position.
    rs.moveNext();
    EXPECT_EQ(rs.recordCount(), kWords.size());
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("KOTY"));
    int rest = 0;
    for (; !rs.eof(); rs.moveNext())
        ++rest;
    EXPECT_EQ(rest, kWords.size() - 1);
}

TEST(Provider, GetRowsIsIndexedByFieldThenRow) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    rs.open(QStringLiteral("SELECT WyrazID, Wyraz FROM WYRAZY WHERE WyrazID <= 5"), connection);
    const auto two = rs.getRows(2);
    ASSERT_EQ(two.size(), 2);
    ASSERT_EQ(two[0].size(), 2);
    EXPECT_EQ(two[0][1].toInt(), 2);
    EXPECT_EQ(two[1][0].toString(), QStringLiteral("KOT"));
    const auto rest = rs.getRows();
    ASSERT_EQ(rest[1].size(), 3);
    EXPECT_EQ(rest[1][2].toString(), QStringLiteral("ALA"));
    EXPECT_TRUE(rs.eof());

    // After RecordCount (all rows in memory) GetRows still starts at the current row.
    rs.close();
    rs.open(QStringLiteral("SELECT Wyraz FROM WYRAZY"), connection);
    EXPECT_EQ(rs.recordCount(), kWords.size());
    const auto all = rs.getRows();
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].size(), kWords.size());
}

TEST(Provider, RecordsetReopensWithAnotherTextOnlyAfterClose) {
    TestDictionary dict(kWords, {{3, QStringLiteral("gad")}});
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    rs.open(QStringLiteral("SELECT TOP 1 WyrazID FROM WYRAZY WHERE Wyraz = 'żółw'"), connection);
    EXPECT_EQ(rs.value(0).toInt(), 3);
    EXPECT_THROW(rs.open(QStringLiteral("SELECT * FROM OPISY"), connection), AppError);
    rs.close();
    rs.close(); // closing twice is harmless
    rs.open(QStringLiteral("SELECT Opis FROM OPISY WHERE WyrazID = 3"), connection);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("gad"));
    EXPECT_THROW(Recordset().fieldCount(), AppError);
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

TEST(Provider, ApostrophesInsideLiteralsAreDoubled) {
    TestDictionary dict(kWords);
    const QString cs = dict.connectionString();
    EXPECT_EQ(column(cs, QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'rock''n''roll'")),
              QStringList{"8"});
    execute(cs, QStringLiteral("INSERT INTO OPISY (WyrazID, Opis) VALUES (8, 'taniec; ''szybki''')"));
    EXPECT_EQ(column(cs, QStringLiteral("SELECT Opis FROM OPISY")), QStringList{"taniec; 'szybki'"});
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
    const QByteArray before = fileDigest(dict.path());
    const QString cs = dict.connectionString(true);
    for (const QString& sql :
         {QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('PIES')"),
          QStringLiteral("UPDATE WYRAZY SET Wyraz = 'X'"), QStringLiteral("DELETE FROM WYRAZY"),
          QStringLiteral("CREATE TABLE T (A INTEGER)"), QStringLiteral("DROP TABLE OPISY")})
        EXPECT_THROW(execute(cs, sql), AppError) << sql.toStdString();
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY")), QStringList{"8"});
    EXPECT_EQ(fileDigest(dict.path()), before);
    EXPECT_FALSE(QFile::exists(dict.path() + QStringLiteral("-journal")));
}

TEST(Provider, EngineErrorsCarryNumbersAndPolishDescriptions) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    try {
        rs.open(QStringLiteral("SELECT * FROM NIEMA"), connection);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ProviderErrors::NoSuchTable);
        EXPECT_TRUE(e.description().contains(QStringLiteral("tabela nie istnieje"))) << e.what();
        EXPECT_TRUE(e.description().contains(QStringLiteral("NIEMA"))) << e.what();
    }
    try {
        rs.open(QStringLiteral("SELECT FROM WHERE"), connection);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ProviderErrors::SyntaxError);
    }
    // The table holding the password hash is out of reach of the SQL.
    EXPECT_THROW(rs.open(QStringLiteral("SELECT * FROM LiteronMeta"), connection), AppError);
    EXPECT_THROW(rs.open(QStringLiteral("PRAGMA table_info(WYRAZY)"), connection), AppError);
}

TEST(Provider, PasswordHashIsOutOfReachOfTheSql) {
    TestDictionary dict({QStringLiteral("KOT")}, {}, QStringLiteral("tajne"));
    const QString cs = dict.connectionString();
    for (const QString& sql :
         {QStringLiteral("DELETE FROM LiteronMeta"), QStringLiteral("DROP TABLE LiteronMeta"),
          QStringLiteral("ALTER TABLE LiteronMeta RENAME TO Cokolwiek"),
          QStringLiteral("UPDATE LiteronMeta SET Wartosc = NULL"),
          QStringLiteral("CREATE TRIGGER t AFTER INSERT ON LiteronMeta BEGIN SELECT 1; END"),
          QStringLiteral("INSERT INTO WYRAZY (Wyraz) SELECT Wartosc FROM LiteronMeta"),
          QStringLiteral("ATTACH DATABASE 'inny.db' AS inny"), QStringLiteral("PRAGMA writable_schema = 1")})
        EXPECT_THROW(execute(cs, sql), AppError) << sql.toStdString();
    Connection connection;
    EXPECT_THROW(connection.open(ConnectionString::build(false, dict.path(), QString())), AppError);
    EXPECT_EQ(column(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY")), QStringList{"1"});
}

TEST(Provider, CommandTimeoutInterruptsALongStatement) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.setCommandTimeout(1);
    connection.open(dict.connectionString());
    Recordset rs;
    const auto started = std::chrono::steady_clock::now();
    try {
        rs.open(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
                               "SELECT COUNT(*) FROM n"),
                connection);
        FAIL() << "the statement never ends unless interrupted";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ProviderErrors::Timeout);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
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
                                           PasswordCase{"empty", "tajne", "", false},
                                           PasswordCase{"case_matters", "tajne", "TAJNE", false},
                                           PasswordCase{"semicolons", "tajne;1;Mode=Read",
                                                        "tajne;1;Mode=Read", true},
                                           PasswordCase{"semicolon_missing", "tajne;1", "tajne", false},
                                           PasswordCase{"polish", "żółć", "żółć", true},
                                           PasswordCase{"none_set_empty_given", "", "", true},
                                           PasswordCase{"none_set_any_given", "", "cokolwiek", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Provider, RememberedPasswordCheckDoesNotOpenTheDoorToOthers) {
    TestDictionary dict({QStringLiteral("KOT")}, {}, QStringLiteral("tajne"));
    for (int round = 0; round < 2; ++round) {
        Connection right;
        EXPECT_NO_THROW(right.open(ConnectionString::build(true, dict.path(), QStringLiteral("tajne"))));
        Connection wrong;
        EXPECT_THROW(wrong.open(ConnectionString::build(true, dict.path(), QStringLiteral("tajn"))),
                     AppError);
    }
    // The same password on another file with another salt is checked afresh.
    TestDictionary other({QStringLiteral("PIES")}, {}, QStringLiteral("inne"));
    Connection connection;
    EXPECT_THROW(connection.open(ConnectionString::build(true, other.path(), QStringLiteral("tajne"))),
                 AppError);
}

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
    EXPECT_THROW(connection.open(QStringLiteral("Provider=SQLOLEDB;Data Source=") + text), AppError);
}

TEST(Provider, ConnectionStaysUsableForRecordsetsAfterFailures) {
    TestDictionary dict(kWords);
    Connection connection;
    connection.open(dict.connectionString());
    Recordset rs;
    EXPECT_THROW(rs.open(QStringLiteral("SELECT * FROM NIEMA"), connection), AppError);
    EXPECT_FALSE(rs.isOpen());
    rs.open(QStringLiteral("SELECT COUNT(*) FROM WYRAZY"), connection);
    EXPECT_EQ(rs.value(0).toInt(), 8);
    // A recordset outlives the close of its connection.
    connection.close();
    EXPECT_EQ(rs.value(0).toInt(), 8);
}

} // namespace
