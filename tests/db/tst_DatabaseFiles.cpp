#include "db/AppError.h"
#include "db/DatabaseFiles.h"
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"
#include "support/TestDictionary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Fixtures = fixturePath(QStringLiteral("mdb/"));

TEST(DatabaseFiles, CopyIsExactAndRefusesToOverwrite) {
    LITERON_REQUIRE_FIXTURES();
    TestDictionary dict({"KOT"}, {}, "tajne");
    QTemporaryDir dir;
    const QString target = dir.filePath("kopia.mdb");
    DatabaseFiles::copyFile(dict.path(), target);
    EXPECT_EQ(fileBytes(target), fileBytes(dict.path()));
    const QByteArray before = fileBytes(target);
    try {
        DatabaseFiles::copyFile(Fixtures + "slownik.mdb", target);
        FAIL();
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), AppError::FileAlreadyExists);
    }
    EXPECT_EQ(fileBytes(target), before);
}

TEST(DatabaseFiles, FailedCopiesLeaveNothing) {
    LITERON_REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const struct {
        QString source;
        QString target;
        qint32 number;
    } cases[] = {
        {dir.filePath("nie_ma.mdb"), dir.filePath("a.mdb"), AppError::FileNotFound},
        {Fixtures + "slownik.mdb", dir.filePath("brak/a.mdb"), AppError::PathNotFound},
    };
    for (const auto& c : cases) {
        try {
            DatabaseFiles::copyFile(c.source, c.target);
            ADD_FAILURE() << c.target.toStdString();
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), c.number);
            EXPECT_FALSE(error.description().isEmpty());
        }
        EXPECT_FALSE(QFile::exists(c.target));
    }
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
