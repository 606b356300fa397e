#include "db/AppError.h"
#include "db/ConnectionString.h"
#include "db/SchemaCheck.h"
#include "db/access/AccessCopy.h"
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// What the copy holds is compared with the original in the save-as tests; here
// the sources it must refuse, leaving no file behind.
namespace {

QString fixture(const char* name) {
    return fixturePath(QStringLiteral("mdb/") + QString::fromUtf8(name));
}

class AccessCopyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("kopia.mdb"));
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(AccessCopyTest, PasswordProtectedSource) {
    LITERON_REQUIRE_FIXTURES();
    EXPECT_THROW(AccessCopy::toNative(fixture("slownik_haslo.mdb"), QString(), target), AppError);
    EXPECT_TRUE(entries().isEmpty());
    AccessCopy::toNative(fixture("slownik_haslo.mdb"), QStringLiteral("tajne;1"), target);
    EXPECT_EQ(NativeFileContents::read(target).words.size(), 120);
    EXPECT_EQ(SchemaCheck::run(target, ConnectionString::build(false, target, QString())).code, 0)
        << "the copy has no password of its own";
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
        EXPECT_TRUE(entries().isEmpty());
    }
}

} // namespace
