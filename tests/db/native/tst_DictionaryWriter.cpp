#include "db/AppError.h"
#include "db/native/DictionaryWriter.h"
#include "support/NativeFileContents.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A native dictionary with a few words, made through the writer itself.
void makeDictionary(const QString& path) {
    DictionaryWriter writer(path);
    writer.copyWord(1, QStringLiteral("KOT"));
    writer.copyWord(2, QStringLiteral("PIES"));
    writer.copyWord(7, QStringLiteral("ŻÓŁW"));
    writer.copyDescription(1, QStringLiteral("mruczek"));
    writer.commit();
}

class DictionaryWriterTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(DictionaryWriterTest, NewFileAppearsOnlyOnCommit) {
    const QString target = path("nowy.mdb");
    {
        DictionaryWriter writer(target);
        EXPECT_TRUE(writer.isNewFile());
        EXPECT_EQ(writer.addWord(u"ALA"), 1);
        EXPECT_EQ(writer.addWord(u"KOT"), 2);
        writer.addDescription(2, u"zwierzę");
        EXPECT_FALSE(QFileInfo::exists(target));
        writer.commit();
    }
    EXPECT_EQ(entries(), QStringList{QStringLiteral("nowy.mdb")}) << "no temporary file is left behind";
    const NativeFileContents contents = NativeFileContents::read(target);
    EXPECT_EQ(contents.integrity, QStringLiteral("ok"));
    EXPECT_EQ(contents.wordList(), (QStringList{"ALA", "KOT"}));
    EXPECT_EQ(contents.descriptions.value(2), QStringList{"zwierzę"});
    // The usual permissions, not those of a private temporary file.
    EXPECT_TRUE(QFileInfo(target).permissions() & QFileDevice::ReadGroup);
}

TEST_F(DictionaryWriterTest, AddsToAnExistingFileAfterItsHighestId) {
    const QString target = path("slownik.mdb");
    makeDictionary(target);
    {
        DictionaryWriter writer(target);
        EXPECT_FALSE(writer.isNewFile());
        QStringList seen;
        writer.forEachWord(
            [&](qint64 id, const QString& word) { seen << QStringLiteral("%1=%2").arg(id).arg(word); });
        EXPECT_EQ(seen, (QStringList{"1=KOT", "2=PIES", "7=ŻÓŁW"}));
        EXPECT_EQ(writer.descriptions(1), QStringList{"mruczek"});
        EXPECT_TRUE(writer.descriptions(2).isEmpty());
        EXPECT_EQ(writer.addWord(u"ALA"), 8);
        writer.addDescription(1, u"dachowiec");
        writer.commit();
    }
    const NativeFileContents contents = NativeFileContents::read(target);
    EXPECT_EQ(contents.integrity, QStringLiteral("ok"));
    EXPECT_EQ(contents.words.value(8), QStringLiteral("ALA"));
    EXPECT_EQ(contents.descriptions.value(1), (QStringList{"mruczek", "dachowiec"}));
}

// The refusals of targets (read-only, locked, not a native dictionary) are
// tested through the import, which writes with this writer.

TEST_F(DictionaryWriterTest, CopiesNullsAndKeepsIds) {
    const QString target = path("kopia.mdb");
    {
        DictionaryWriter writer(target);
        writer.copyWord(10, QStringLiteral("KOT"));
        writer.copyWord(3, QVariant());
        writer.copyDescription(10, QVariant());
        writer.copyDescription(QVariant(), QStringLiteral("sierota"));
        EXPECT_EQ(writer.addWord(u"ALA"), 11);
        writer.commit();
    }
    const NativeFileContents contents = NativeFileContents::read(target);
    EXPECT_EQ(contents.words.keys(), (QList<qint64>{3, 10, 11}));
    EXPECT_TRUE(contents.words.value(3).isNull());
    EXPECT_EQ(contents.descriptions.value(10).size(), 1);
    EXPECT_TRUE(contents.descriptions.value(10).first().isNull());
    EXPECT_EQ(contents.descriptions.value(0), QStringList{"sierota"}) << "Null WyrazID reads back as 0 here";
}

} // namespace
