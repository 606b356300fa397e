#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/ProviderErrors.h"
#include "db/Recordset.h"
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kFixtures = fixturePath(QStringLiteral("mdb/"));

QString fixture(const char* name) {
    return kFixtures + QString::fromUtf8(name);
}

QVector<QVector<QVariant>> rows(const QString& connectionString, const QString& sql) {
    Connection connection;
    connection.setCommandTimeout(30);
    connection.open(connectionString);
    Recordset rs;
    rs.open(sql, connection);
    if (rs.eof())
        return {};
    return rs.getRows();
}

TEST(AccessProvider, ReadsWordsInWordIdOrderWithTheirTypes) {
    LITERON_REQUIRE_FIXTURES();
    const QString cs = ConnectionString::build(true, fixture("slownik.mdb"), QString());
    const auto first = rows(cs, QStringLiteral("SELECT TOP 6 WyrazID, Wyraz FROM WYRAZY"));
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first[1], (QVector<QVariant>{"KOT", "KOTY", "KOTEK", "PIES", "ŻÓŁW", "ALA"}));
    EXPECT_EQ(first[0][4].toInt(), 5);

    const auto likeRows = rows(cs, QStringLiteral("SELECT TOP 3 Wyraz FROM WYRAZY WHERE Wyraz LIKE '%ż%'"));
    EXPECT_EQ(likeRows[0], (QVector<QVariant>{"ŻÓŁW", "ŻABA", "ŻYRAFA"}));
    EXPECT_EQ(rows(cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY"))[0][0].toInt(), 120);
    EXPECT_EQ(rows(cs, QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'żółw'"))[0][0].toInt(), 5);
    EXPECT_EQ(rows(cs, QStringLiteral("SELECT MAX(LEN(Opis)) FROM OPISY"))[0][0].toInt(), 255);

    Connection connection;
    connection.open(cs);
    Recordset rs;
    rs.open(QStringLiteral("SELECT TOP 1 * FROM OPISY"), connection);
    EXPECT_EQ(rs.field(QStringLiteral("WyrazID")).type, 3);
    EXPECT_EQ(rs.field(QStringLiteral("Opis")).type, 202);
    EXPECT_EQ(rs.field(QStringLiteral("Opis")).definedSize, 255);
}

TEST(AccessProvider, WritesAreRefusedWithAPointerToSaveAs) {
    LITERON_REQUIRE_FIXTURES();
    const QString path = fixture("slownik.mdb");
    const QByteArray before = fileBytes(path);
    for (const QString& sql :
         {QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('NOWY')"), QStringLiteral("DELETE FROM OPISY"),
          QStringLiteral("UPDATE WYRAZY SET Wyraz = 'X'")}) {
        Command command;
        command.setActiveConnection(ConnectionString::build(false, path, QString()));
        command.setCommandText(sql);
        try {
            command.execute();
            FAIL() << "an Access file was written: " << sql.toStdString();
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().contains(QStringLiteral("Access"))) << e.what();
            EXPECT_TRUE(e.description().contains(QStringLiteral("\"Zapisz jako...\""))) << e.what();
        }
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(rows(ConnectionString::build(false, path, QString()),
                   QStringLiteral("SELECT COUNT(*) FROM OPISY"))[0][0]
                  .toInt(),
              62);
}

} // namespace
