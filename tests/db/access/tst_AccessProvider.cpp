// A genuine Access file through the provider: read like a native dictionary,
// never written.
#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "support/Fixtures.h"
#include "support/IndexDifferential.h"
#include "support/NativeFileContents.h"

#include <gtest/gtest.h>

namespace {

QStringList column(const QString& connectionString, const QString& sql) {
    Connection connection;
    connection.open(connectionString);
    const Outcome outcome = runStatement(connection, sql);
    EXPECT_TRUE(outcome.error.isEmpty()) << outcome;
    return outcome.column();
}

TEST(AccessProvider, ReadsWordsInWordIdOrderWithPolishLetters) {
    LITERON_REQUIRE_FIXTURES();
    const QString cs =
        ConnectionString::build(true, fixturePath(QStringLiteral("mdb/slownik.mdb")), QString());
    EXPECT_EQ(column(cs, QStringLiteral("SELECT TOP 6 Wyraz FROM WYRAZY")),
              (QStringList{"KOT", "KOTY", "KOTEK", "PIES", "ŻÓŁW", "ALA"}));
    EXPECT_EQ(column(cs, QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'żółw'")),
              QStringList{"5"});
    EXPECT_EQ(column(cs, QStringLiteral("SELECT MAX(LEN(Opis)) FROM OPISY")), QStringList{"255"});
}

TEST(AccessProvider, WritesAreRefusedWithAPointerToSaveAs) {
    LITERON_REQUIRE_FIXTURES();
    const QString path = fixturePath(QStringLiteral("mdb/slownik.mdb"));
    const QByteArray before = fileBytes(path);
    for (const char* sql : {"INSERT INTO WYRAZY (Wyraz) VALUES ('NOWY')", "DELETE FROM OPISY"}) {
        Command command;
        command.setActiveConnection(ConnectionString::build(false, path, QString()));
        command.setCommandText(QString::fromUtf8(sql));
        try {
            command.execute();
            ADD_FAILURE() << "an Access file was written: " << sql;
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().contains(QStringLiteral("Access"))) << e.what();
            EXPECT_TRUE(e.description().contains(QStringLiteral("\"Zapisz jako...\""))) << e.what();
        }
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(
        column(ConnectionString::build(false, path, QString()), QStringLiteral("SELECT COUNT(*) FROM OPISY")),
        QStringList{"62"});
}

} // namespace
