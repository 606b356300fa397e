// Save-as of an Access file: the native copy holds the same tables, columns
// and rows, so checking the copy gives what checking the original gives.
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFiles.h"
#include "db/SchemaCheck.h"
#include "db/access/AccessSnapshot.h"
#include "support/Fixtures.h"
#include "support/IndexDifferential.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

qint16 checkCode(const QString& path, const QString& password = QString()) {
    return SchemaCheck::run(path, ConnectionString::build(true, path, password)).code;
}

struct CopyCase {
    const char* file;
    const char* password;
};

void PrintTo(const CopyCase& c, std::ostream* os) {
    *os << c.file;
}

class AccessSaveAs : public ::testing::TestWithParam<CopyCase> {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("kopia.mdb"));
};

TEST_P(AccessSaveAs, CopyChecksLikeTheOriginalWithTheSameContent) {
    LITERON_REQUIRE_FIXTURES();
    const QString source = fixturePath(QString::fromUtf8(GetParam().file));
    const QString password = QString::fromUtf8(GetParam().password);
    DatabaseFiles::copyDatabase(source, target, password);
    EXPECT_EQ(checkCode(target, password), checkCode(source, password));
    if (!password.isEmpty())
        EXPECT_EQ(checkCode(target), 2) << "the copy keeps the password it was opened with";
    // Every table with the same columns (name, type, size) and the same rows in the same order.
    Connection original;
    original.open(ConnectionString::build(true, source, password));
    Connection copy;
    copy.open(ConnectionString::build(true, target, password));
    for (const QString& table : AccessSnapshot::open(source, password).tableNames()) {
        const QString sql = QStringLiteral("SELECT * FROM [%1]").arg(table);
        const Outcome expected = runStatement(original, sql);
        EXPECT_TRUE(expected.error.isEmpty()) << expected;
        EXPECT_EQ(runStatement(copy, sql), expected) << table.toStdString();
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fixtures, AccessSaveAs, ::testing::Values(
    CopyCase{"mdb/slownik.mdb", ""}, CopyCase{"mdb/slownik_haslo.mdb", "tajne;1"},
    CopyCase{"mdb/male_litery.mdb", ""}, CopyCase{"mdb/wyrazid_tekst.mdb", ""},
    CopyCase{"mdb/wyraz_60.mdb", ""}, CopyCase{"mdb/wyraz_memo.mdb", ""},
    CopyCase{"mdb/obcy_nwind.mdb", ""}, CopyCase{"ace/empty2010.accdb", ""},
    CopyCase{"ace/testEmoticonsV2010.accdb", ""}),
    [](const auto& info) { return QString::fromUtf8(info.param.file).section('/', 1).section('.', 0, 0).toStdString(); });
// clang-format on

using AccessSaveAsDictionary = AccessSaveAs;

TEST_F(AccessSaveAsDictionary, NewWordsOfTheCopyFollowTheLastNumber) {
    LITERON_REQUIRE_FIXTURES();
    DatabaseFiles::copyDatabase(fixturePath(QStringLiteral("mdb/slownik.mdb")), target, QString());
    Command insert;
    insert.setActiveConnection(ConnectionString::build(false, target, QString()));
    insert.setCommandText(QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('NOWY')"));
    insert.execute();
    Connection connection;
    connection.open(ConnectionString::build(true, target, QString()));
    EXPECT_EQ(
        runStatement(connection, QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'NOWY'")).column(),
        QStringList{"121"});
}

} // namespace
