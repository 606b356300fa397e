// Save-as of an Access file: the native copy holds the same tables, columns
// and rows, so checking the copy gives what checking the original gives.
#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFiles.h"
#include "db/Recordset.h"
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

class AccessSaveAs : public ::testing::TestWithParam<CopyCase> {};

TEST_P(AccessSaveAs, CopyChecksLikeTheOriginalWithTheSameContent) {
    LITERON_REQUIRE_FIXTURES();
    const QString source = fixturePath(QString::fromUtf8(GetParam().file));
    const QString password = QString::fromUtf8(GetParam().password);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("kopia.mdb"));
    DatabaseFiles::copyDatabase(source, target, password);
    EXPECT_EQ(checkCode(target, password), checkCode(source, password));
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

INSTANTIATE_TEST_SUITE_P(
    Fixtures, AccessSaveAs,
    ::testing::Values(CopyCase{"mdb/slownik.mdb", ""}, CopyCase{"mdb/slownik_haslo.mdb", "tajne;1"},
                      CopyCase{"mdb/male_litery.mdb", ""}, CopyCase{"mdb/wyrazid_tekst.mdb", ""},
                      CopyCase{"mdb/wyraz_60.mdb", ""}, CopyCase{"mdb/wyraz_memo.mdb", ""},
                      CopyCase{"mdb/obcy_nwind.mdb", ""}, CopyCase{"ace/empty2010.accdb", ""},
                      CopyCase{"ace/testEmoticonsV2010.accdb", ""}),
    [](const auto& info) {
        QString name = QString::fromUtf8(info.param.file);
        name = name.mid(name.indexOf(QLatin1Char('/')) + 1);
        return name.left(name.indexOf(QLatin1Char('.'))).toStdString();
    });

TEST(AccessSaveAsDictionary, NewWordsOfTheCopyFollowTheLastNumber) {
    LITERON_REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("kopia.mdb"));
    DatabaseFiles::copyDatabase(fixturePath(QStringLiteral("mdb/slownik.mdb")), target, QString());
    Command insert;
    insert.setActiveConnection(ConnectionString::build(false, target, QString()));
    insert.setCommandText(QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('NOWY')"));
    insert.execute();
    Connection connection;
    connection.open(ConnectionString::build(true, target, QString()));
    Recordset rs;
    rs.open(QStringLiteral("SELECT WyrazID FROM WYRAZY WHERE Wyraz = 'NOWY'"), connection);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(0).toInt(), 121);
}

} // namespace
