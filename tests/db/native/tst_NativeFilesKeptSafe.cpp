// Native files that must not be written stay byte for byte as they were, and
// work files of an interrupted writer do not stay behind.
#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/SchemaCheck.h"
#include "db/native/DictionaryWriter.h"
#include "db/native/HandlePool.h"
#include "db/native/NativeSchema.h"
#include "db/native/TempFiles.h"
#include "db/native/WriteAheadLog.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr auto ReadOnlyBits = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// Leaves `path` as a writer killed in the middle of a transaction leaves it:
// changed pages in the file and the rollback journal beside it.
void dieInsideATransaction(const QString& path) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        NativeSchema::registerCollation(db);
        // A tiny cache makes the engine write changed pages into the file before the commit.
        sqlite3_exec(db, "PRAGMA cache_size = 2; BEGIN; UPDATE OPISY SET Opis = Opis || 'zmiana'", nullptr,
                     nullptr, nullptr);
        _exit(0);
    }
    waitpid(child, nullptr, 0);
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

// The tests run as root, whom the system would let write anything: the
// program itself must leave a file alone once its write bits are off.
class ReadOnlyNativeFile : public ::testing::Test {
protected:
    void TearDown() override {
        HandlePool::clear();
        QFile::setPermissions(dict.path(), ReadOnlyBits | QFileDevice::WriteOwner);
    }
    TestDictionary dict;
};

TEST_F(ReadOnlyNativeFile, WithALeftJournalIsNeitherRolledBackNorCalledAWrongFormat) {
    QStringList words;
    QList<QPair<int, QString>> descriptions;
    for (int i = 1; i <= 3000; ++i) {
        words << QStringLiteral("SLOWO%1").arg(i);
        descriptions.append({i, QStringLiteral("opis numer %1 ").arg(i).repeated(4)});
    }
    dict.addWords(words);
    dict.addDescriptions(descriptions);
    dieInsideATransaction(dict.path());
    const QString journal = dict.path() + QStringLiteral("-journal");
    ASSERT_GT(QFileInfo(journal).size(), 0) << "the writer left no journal";
    ASSERT_TRUE(QFile::setPermissions(dict.path(), ReadOnlyBits));
    const QByteArray before = fileBytes(dict.path());

    // The window's default: read-write connections.
    const SchemaCheck::Result result =
        SchemaCheck::run(dict.path(), ConnectionString::build(false, dict.path(), QString()));
    EXPECT_EQ(result.code, 2);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_TRUE(result.error->description().contains(QStringLiteral("tylko do odczytu")))
        << result.error->description().toStdString();
    EXPECT_EQ(fileBytes(dict.path()), before);
    EXPECT_TRUE(QFileInfo::exists(journal));
}

TEST_F(ReadOnlyNativeFile, IsReadButNeverWrittenNorSwitchedToWriteAhead) {
    dict.addWords({QStringLiteral("KOT"), QStringLiteral("PIES")});
    ASSERT_TRUE(QFile::setPermissions(dict.path(), ReadOnlyBits));
    const QByteArray before = fileBytes(dict.path());
    const QString cs = ConnectionString::build(false, dict.path(), QString());
    EXPECT_EQ(SchemaCheck::run(dict.path(), cs).code, 0);
    {
        Connection connection;
        connection.open(cs);
        EXPECT_FALSE(WriteAheadLog::isWriteAhead(dict.path()));
    }
    Command remove;
    remove.setActiveConnection(cs);
    remove.setCommandText(QStringLiteral("DELETE FROM WYRAZY"));
    EXPECT_THROW(remove.execute(), AppError);
    HandlePool::clear();
    EXPECT_EQ(fileBytes(dict.path()), before);
}

// A new dictionary appears under its name, with the usual permissions, only
// when its writer commits.
TEST(DictionaryWriter, NewFileAppearsOnlyOnCommit) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("nowy.mdb"));
    {
        DictionaryWriter writer(target);
        EXPECT_EQ(writer.addWord(u"ALA"), 1);
        EXPECT_EQ(writer.addWord(u"KOT"), 2);
        EXPECT_FALSE(QFileInfo::exists(target));
        writer.commit();
    }
    EXPECT_EQ(filesIn(dir.path()), QStringList{"nowy.mdb"}) << "no work file is left behind";
    EXPECT_EQ(NativeFileContents::read(target).wordList(), (QStringList{"ALA", "KOT"}));
    EXPECT_TRUE(QFileInfo(target).permissions() & QFileDevice::ReadGroup);
}

// Added words follow every number the file ever gave, a deleted word's too.
TEST(DictionaryWriter, AddsToAnExistingFileAfterItsHighestNumber) {
    const TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("PIES"), QStringLiteral("OSA")},
                              {{1, QStringLiteral("mruczek")}});
    dict.exec(QStringLiteral("DELETE FROM WYRAZY WHERE WyrazID = 3"));
    {
        DictionaryWriter writer(dict.path());
        QStringList seen;
        writer.forEachWord(
            [&](qint64 id, const QString& word) { seen << QStringLiteral("%1=%2").arg(id).arg(word); });
        EXPECT_EQ(seen, (QStringList{"1=KOT", "2=PIES"}));
        EXPECT_EQ(writer.descriptions(1), QStringList{"mruczek"});
        EXPECT_EQ(writer.addWord(u"ALA"), 4);
        writer.addDescription(1, u"dachowiec");
        writer.commit();
    }
    const NativeFileContents contents = NativeFileContents::read(dict.path());
    EXPECT_EQ(contents.words.value(4), QStringLiteral("ALA"));
    EXPECT_EQ(contents.descriptions.value(1), (QStringList{"mruczek", "dachowiec"}));
}

// A writer of a new dictionary killed before its commit: its work file is
// tidied away by the next writer in that folder, unless it is still held.
TEST(WorkFiles, OfAKilledWriterGoButHeldOnesStay) {
    QTemporaryDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            DictionaryWriter writer(dir.filePath(QStringLiteral("nowy.mdb")));
            writer.addWord(u"KOT");
            char c = 1;
            (void)!write(ready[1], &c, 1);
            pause(); // killed here, before commit()
        } catch (...) {
        }
        _exit(1);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    const QStringList working = filesIn(dir.path());
    ASSERT_EQ(working.size(), 1);
    TempFiles::removeStale(dir.path(), 0);
    EXPECT_EQ(filesIn(dir.path()), working) << "removed while held";

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    TempFiles::removeStale(dir.path(), 0);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
