#include "db/AppError.h"
#include "db/DatabaseFiles.h"
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Fixtures = fixturePath(QStringLiteral("mdb/"));

qint32 copyError(const QString& source, const QString& target) {
    try {
        DatabaseFiles::copyFile(source, target);
    } catch (const AppError& error) {
        return error.number();
    }
    return 0;
}

TEST(DatabaseFiles, CopyIsExactAndFailuresLeaveTheTargetAsItWas) {
    LITERON_REQUIRE_FIXTURES();
    TestDictionary dict({"KOT"}, {}, "tajne");
    QTemporaryDir dir;
    const QString target = dir.filePath("kopia.mdb");
    EXPECT_EQ(copyError(dict.path(), target), 0);
    EXPECT_EQ(fileBytes(target), fileBytes(dict.path()));
    EXPECT_EQ(copyError(Fixtures + "slownik.mdb", target), AppError::FileAlreadyExists);
    EXPECT_EQ(fileBytes(target), fileBytes(dict.path()));

    EXPECT_EQ(copyError(dir.filePath("nie_ma.mdb"), dir.filePath("a.mdb")), AppError::FileNotFound);
    EXPECT_EQ(copyError(Fixtures + "slownik.mdb", dir.filePath("brak/a.mdb")), AppError::PathNotFound);
    EXPECT_FALSE(QFile::exists(dir.filePath("a.mdb")));
    EXPECT_FALSE(QFile::exists(dir.filePath("brak/a.mdb")));
}

TEST(DatabaseFiles, NativeSaveAsIsAByteCopyAccessSaveAsIsNative) {
    LITERON_REQUIRE_FIXTURES();
    TestDictionary dict({"KOT", "PIES"});
    QTemporaryDir dir;
    DatabaseFiles::copyDatabase(dict.path(), dir.filePath("n.mdb"), QString());
    EXPECT_EQ(fileBytes(dir.filePath("n.mdb")), fileBytes(dict.path()));
    DatabaseFiles::copyDatabase(Fixtures + "slownik.mdb", dir.filePath("a.mdb"), QString());
    EXPECT_TRUE(fileBytes(dir.filePath("a.mdb")).startsWith("SQLite format 3"));
}

} // namespace
