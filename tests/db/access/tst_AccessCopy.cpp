#include "db/AppError.h"
#include "db/ConnectionString.h"
#include "db/SchemaCheck.h"
#include "db/access/AccessCopy.h"
#include "db/access/AccessFile.h"
#include "db/native/DictionaryWriter.h"
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name) {
    return fixturePath(QStringLiteral("mdb/") + QString::fromUtf8(name));
}

// The Access dictionary as the copy should hold it.
NativeFileContents accessContents(const QString& path, const QString& password = QString()) {
    const AccessFile file = AccessFile::open(path, password);
    NativeFileContents c;
    for (const auto& row : file.readRows(QStringLiteral("WYRAZY")))
        c.words.insert(row.at(0).toLongLong(), row.at(1).toString());
    for (const auto& row : file.readRows(QStringLiteral("OPISY")))
        c.descriptions[row.at(0).toLongLong()] << row.at(1).toString();
    return c;
}

qint16 schemaCode(const QString& path) {
    return SchemaCheck::run(path, ConnectionString::build(false, path, QString())).code;
}

class AccessCopyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("kopia.mdb"));
};

TEST_F(AccessCopyTest, CopiesWordsIdsAndDescriptions) {
    LITERON_REQUIRE_FIXTURES();
    AccessCopy::toNative(fixture("slownik.mdb"), QString(), target);
    const NativeFileContents copy = NativeFileContents::read(target);
    const NativeFileContents original = accessContents(fixture("slownik.mdb"));
    EXPECT_EQ(copy.integrity, QStringLiteral("ok"));
    EXPECT_EQ(schemaCode(target), 0);
    ASSERT_EQ(copy.words.size(), 120);
    EXPECT_EQ(copy.words, original.words);
    EXPECT_EQ(copy.descriptions, original.descriptions);
    EXPECT_EQ(copy.descriptionCount(), 62);
    EXPECT_EQ(copy.words.value(5), QStringLiteral("ŻÓŁW"));
}

TEST_F(AccessCopyTest, PasswordProtectedSource) {
    LITERON_REQUIRE_FIXTURES();
    EXPECT_THROW(AccessCopy::toNative(fixture("slownik_haslo.mdb"), QString(), target), AppError);
    EXPECT_FALSE(QFileInfo::exists(target));
    AccessCopy::toNative(fixture("slownik_haslo.mdb"), QStringLiteral("tajne;1"), target);
    EXPECT_EQ(NativeFileContents::read(target).words.size(), 120);
    EXPECT_EQ(schemaCode(target), 0) << "the copy has no password of its own";
}

TEST_F(AccessCopyTest, RefusesWhatItCannotCopyAndLeavesNoFile) {
    LITERON_REQUIRE_FIXTURES();
    for (const char* source : {"niepoprawny.mdb", "pusty_plik.mdb"}) {
        SCOPED_TRACE(source);
        try {
            AccessCopy::toNative(fixture(source), QString(), target);
            ADD_FAILURE() << "copied";
        } catch (const AppError& e) {
            EXPECT_FALSE(e.description().isEmpty());
        }
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
}

} // namespace
