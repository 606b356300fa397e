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

qint16 checkCode(const QString& path, const QString& password = QString()) {
    return SchemaCheck::run(path, ConnectionString::build(true, path, password)).code;
}

// A copy of a fixture with some bytes changed or cut off.
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

QString damagedCopy(const QTemporaryDir& dir, const Damage& d) {
    QFile source(fixturePath(QString::fromUtf8(d.fixture)));
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    if (d.offset >= 0)
        bytes[d.offset] = d.byte;
    if (d.keep >= 0)
        bytes.truncate(d.keep);
    const QString path = dir.filePath(QString::fromUtf8(d.name) + QStringLiteral(".mdb"));
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    return path;
}

struct FormatCase {
    const char* file;
    int tables;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.file;
}

class AccessVersion : public ::testing::TestWithParam<FormatCase> {};

TEST_P(AccessVersion, OpensAndIsAForeignDatabase) {
    LITERON_REQUIRE_FIXTURES();
    const QString path = fixturePath(QStringLiteral("ace/") + QString::fromUtf8(GetParam().file));
    EXPECT_EQ(checkCode(path), 3);
    EXPECT_EQ(AccessSnapshot::open(path).tableNames().size(), GetParam().tables);
}

INSTANTIATE_TEST_SUITE_P(Ace, AccessVersion,
                         ::testing::Values(FormatCase{"empty2007.accdb", 0}, FormatCase{"empty2010.accdb", 0},
                                           FormatCase{"empty2016.accdb", 0}, FormatCase{"empty2019.accdb", 0},
                                           FormatCase{"testV2007.accdb", 4},
                                           FormatCase{"testEmoticonsV2010.accdb", 1}),
                         [](const auto& info) {
                             QString name = QString::fromUtf8(info.param.file);
                             return name.left(name.indexOf(QLatin1Char('.'))).toStdString();
                         });

TEST(AccessText, KeepsCharactersBeyondTheBasicPlane) {
    LITERON_REQUIRE_FIXTURES();
    const QString path = fixturePath(QStringLiteral("ace/testEmoticonsV2010.accdb"));
    Connection connection;
    connection.open(ConnectionString::build(true, path, QString()));
    const Outcome outcome = runStatement(connection, QStringLiteral("SELECT key, data FROM data"));
    ASSERT_EQ(outcome.rows.size(), 80) << outcome;
    for (const QStringList& row : outcome.rows) {
        const char32_t code = row[0].toUInt();
        EXPECT_EQ(row[1], QStringLiteral("a") + QString::fromUcs4(&code, 1) + QStringLiteral("a"))
            << "key " << row[0].toStdString();
    }
}

class DamagedFile : public ::testing::TestWithParam<Damage> {};

// Every one of these once crashed, hung or passed half-read: each must now end
// as a file of the wrong format, soon, and Save-as must leave no file at all.
TEST_P(DamagedFile, FailsAsAWrongFormatAndIsNeverCopied) {
    LITERON_REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const QString path = damagedCopy(dir, GetParam());
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(checkCode(path), 2);
    EXPECT_LT(timer.elapsed(), 30000);
    const QString target = dir.filePath(QStringLiteral("kopia.mdb"));
    EXPECT_THROW(DatabaseFiles::copyDatabase(path, target, QString()), AppError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList(QFileInfo(path).fileName()));
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DamagedFile,
    ::testing::Values(Damage{"row_map_byte", "mdb/slownik.mdb", 0x1d037, 0x35, -1},
                      Damage{"table_definition_byte", "mdb/pusta.mdb", 0x18037, char(0x80), -1},
                      Damage{"ace_cut_to_90_pages", "ace/testV2007.accdb", -1, 0, 368640},
                      Damage{"jet_cut_to_32_pages", "mdb/slownik.mdb", -1, 0, 131072}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
