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

TEST_F(AccessCopyTest, CopyIsAnEditableDictionary) {
    LITERON_REQUIRE_FIXTURES();
    AccessCopy::toNative(fixture("male_litery.mdb"), QString(), target);
    {
        DictionaryWriter writer(target);
        EXPECT_FALSE(writer.isNewFile());
        EXPECT_EQ(writer.addWord(u"OSA"), 6) << "new words continue after the copied IDs";
        writer.addDescription(6, u"owad");
        writer.commit();
    }
    const NativeFileContents copy = NativeFileContents::read(target);
    EXPECT_EQ(copy.integrity, QStringLiteral("ok"));
    EXPECT_EQ(copy.wordList(), (QStringList{"KOT", "PIES", "ŻÓŁW", "ŁĄKA", "ĆMA", "OSA"}));
    EXPECT_EQ(copy.descriptions.value(1), (QStringList{"zwierzę domowe", "mruczek"}));
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
    for (const char* source : {"obcy_nwind.mdb", "bez_opisy.mdb", "bez_wyraz.mdb", "opisy_bez_opis.mdb",
                               "niepoprawny.mdb", "pusty_plik.mdb"}) {
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

TEST_F(AccessCopyTest, NeverOverwritesAFile) {
    LITERON_REQUIRE_FIXTURES();
    AccessCopy::toNative(fixture("male_litery.mdb"), QString(), target);
    const QByteArray before = fileBytes(target);
    try {
        AccessCopy::toNative(fixture("slownik.mdb"), QString(), target);
        ADD_FAILURE() << "overwritten";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), AppError::FileAlreadyExists);
    }
    EXPECT_EQ(fileBytes(target), before);
}

TEST_F(AccessCopyTest, TextIdsThatAreNumbersBecomeNumbers) {
    LITERON_REQUIRE_FIXTURES();
    AccessCopy::toNative(fixture("wyrazid_tekst.mdb"), QString(), target);
    const NativeFileContents copy = NativeFileContents::read(target);
    EXPECT_EQ(copy.words.keys(), (QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(copy.words.value(1), QStringLiteral("KOT"));
    EXPECT_EQ(copy.descriptionCount(), 14);
}

TEST_F(AccessCopyTest, EmptyDictionary) {
    LITERON_REQUIRE_FIXTURES();
    AccessCopy::toNative(fixture("pusta.mdb"), QString(), target);
    const NativeFileContents copy = NativeFileContents::read(target);
    EXPECT_TRUE(copy.words.isEmpty());
    EXPECT_TRUE(copy.descriptions.isEmpty());
}

} // namespace
