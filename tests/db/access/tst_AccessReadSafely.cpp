// Access files of every version, read whole or refused, and never able to take
// the process down: the files are read by the reader program, and damaged
// copies of the fixtures are made here in a temporary folder.
#include "db/AppError.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFiles.h"
#include "db/SchemaCheck.h"
#include "db/access/AccessSnapshot.h"
#include "support/Fixtures.h"
#include "support/IndexDifferential.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

qint16 checkCode(const QString& path) {
    return SchemaCheck::run(path, ConnectionString::build(true, path, QString())).code;
}

// Every version opens, also with no user table at all, as a database of another schema.
TEST(AccessVersions, OpenAsForeignDatabases) {
    LITERON_REQUIRE_FIXTURES();
    const std::pair<const char*, int> files[] = {{"empty2007", 0}, {"empty2010", 0},
                                                 {"empty2016", 0}, {"empty2019", 0},
                                                 {"testV2007", 4}, {"testEmoticonsV2010", 1}};
    for (const auto& [name, tables] : files) {
        const QString path = fixturePath(QStringLiteral("ace/%1.accdb").arg(QString::fromUtf8(name)));
        EXPECT_EQ(checkCode(path), 3) << name;
        EXPECT_EQ(AccessSnapshot::open(path).tableNames().size(), tables) << name;
    }
}

TEST(AccessText, KeepsCharactersBeyondTheBasicPlane) {
    LITERON_REQUIRE_FIXTURES();
    Connection connection;
    connection.open(ConnectionString::build(true, fixturePath(QStringLiteral("ace/testEmoticonsV2010.accdb")),
                                            QString()));
    const Outcome outcome = runStatement(connection, QStringLiteral("SELECT key, data FROM data"));
    ASSERT_EQ(outcome.rows.size(), 80) << outcome;
    for (const QStringList& row : outcome.rows) {
        const char32_t code = row[0].toUInt();
        EXPECT_EQ(row[1], QStringLiteral("a") + QString::fromUcs4(&code, 1) + QStringLiteral("a"))
            << "key " << row[0].toStdString();
    }
}

// A copy of a fixture with one byte changed or the end cut off.
struct Damage {
    const char* name;
    const char* fixture;
    qint64 offset; // -1: none
    char byte;
    qint64 keep; // bytes kept from the start; -1: all
};

void PrintTo(const Damage& d, std::ostream* os) {
    *os << d.name;
}

class DamagedFile : public ::testing::TestWithParam<Damage> {};

// Every one of these once crashed, hung or passed half-read: each must now end
// as a file of the wrong format, soon, and Save-as must leave no file at all.
TEST_P(DamagedFile, FailsAsAWrongFormatAndIsNeverCopied) {
    LITERON_REQUIRE_FIXTURES();
    const Damage& d = GetParam();
    QFile source(fixturePath(QString::fromUtf8(d.fixture)));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    if (d.offset >= 0)
        bytes[d.offset] = d.byte;
    if (d.keep >= 0)
        bytes.truncate(d.keep);
    QTemporaryDir dir;
    QFile damaged(dir.filePath(QStringLiteral("uszkodzony.mdb")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes);
    damaged.close();

    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(checkCode(damaged.fileName()), 2);
    EXPECT_LT(timer.elapsed(), 30000);
    EXPECT_THROW(
        DatabaseFiles::copyDatabase(damaged.fileName(), dir.filePath(QStringLiteral("kopia.mdb")), QString()),
        AppError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"uszkodzony.mdb"});
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DamagedFile,
    ::testing::Values(Damage{"row_map_byte", "mdb/slownik.mdb", 0x1d037, 0x35, -1},
                      Damage{"table_definition_byte", "mdb/pusta.mdb", 0x18037, char(0x80), -1},
                      Damage{"ace_cut_to_90_pages", "ace/testV2007.accdb", -1, 0, 368640},
                      Damage{"jet_cut_to_32_pages", "mdb/slownik.mdb", -1, 0, 131072}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
