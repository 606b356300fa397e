// Native files that must not be written stay byte for byte as they were, and
// work files of an interrupted writer do not stay behind.
#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/Recordset.h"
#include "db/SchemaCheck.h"
#include "db/native/DictionaryWriter.h"
#include "db/native/NativeSchema.h"
#include "db/native/TempFiles.h"
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
    int status = 0;
    waitpid(child, &status, 0);
}

TestDictionary bigDictionary() {
    QStringList words;
    QList<QPair<int, QString>> descriptions;
    for (int i = 1; i <= 3000; ++i) {
        words << QStringLiteral("SLOWO%1").arg(i);
        descriptions.append({i, QStringLiteral("opis numer %1 ").arg(i).repeated(4)});
    }
    return TestDictionary(words, descriptions);
}

TEST(ReadOnlyNativeFile, WithALeftJournalIsNeitherRolledBackNorCalledAWrongFormat) {
    const TestDictionary dict = bigDictionary();
    dieInsideATransaction(dict.path());
    const QString journal = dict.path() + QStringLiteral("-journal");
    ASSERT_GT(QFileInfo(journal).size(), 0) << "the writer left no journal";
    ASSERT_TRUE(QFile::setPermissions(dict.path(), ReadOnlyBits));
    const QByteArray before = fileBytes(dict.path());

    // The window's default: read-write connections, whoever runs the program.
    const SchemaCheck::Result result =
        SchemaCheck::run(dict.path(), ConnectionString::build(false, dict.path(), QString()));
    EXPECT_EQ(result.code, 2);
    ASSERT_TRUE(result.error.has_value());
    EXPECT_TRUE(result.error->description().contains(QStringLiteral("tylko do odczytu")))
        << result.error->description().toStdString();
    EXPECT_EQ(fileBytes(dict.path()), before);
    EXPECT_TRUE(QFileInfo::exists(journal));
    QFile::setPermissions(dict.path(), ReadOnlyBits | QFileDevice::WriteOwner);
}

TEST(ReadOnlyNativeFile, IsReadButNeverWritten) {
    const TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("PIES")});
    ASSERT_TRUE(QFile::setPermissions(dict.path(), ReadOnlyBits));
    const QByteArray before = fileBytes(dict.path());
    const QString cs = ConnectionString::build(false, dict.path(), QString());
    EXPECT_EQ(SchemaCheck::run(dict.path(), cs).code, 0);
    Connection connection;
    connection.open(cs);
    Recordset rs;
    rs.open(QStringLiteral("SELECT COUNT(*) FROM WYRAZY"), connection);
    EXPECT_EQ(rs.value(0).toInt(), 2);
    rs.close();
    connection.close();
    Command remove;
    remove.setActiveConnection(cs);
    remove.setCommandText(QStringLiteral("DELETE FROM WYRAZY"));
    EXPECT_THROW(remove.execute(), AppError);
    EXPECT_EQ(fileBytes(dict.path()), before);
    QFile::setPermissions(dict.path(), ReadOnlyBits | QFileDevice::WriteOwner);
}

// A writer of a new dictionary killed before its commit: its work file is
// tidied away by the next writer in that folder, unless it is still held.
TEST(WorkFiles, OfAKilledWriterGoButHeldOnesStay) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("nowy.mdb"));
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        try {
            DictionaryWriter writer(target);
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
    const QStringList working = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(working.size(), 1);
    TempFiles::removeStale(dir.path(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), working) << "removed while held";

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    TempFiles::removeStale(dir.path(), 0);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    ::close(ready[0]);
    ::close(ready[1]);
}

} // namespace
