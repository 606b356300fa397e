#include "MainWindowFixture.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/index/WordIndexCache.h"
#include "support/TestDictionary.h"

#include <QAction>

// Every way of opening a database starts reading its word index in the
// background, so that the first search finds it ready; closing gives it up.

namespace {

// Opens a database at start-up (RecallDB) or through File > Open; both run the
// same check of the database, as every other way does.
class IndexOnOpen : public MainWindowTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { WordIndexCache::clear(); }
    void TearDown() override { WordIndexCache::clear(); }

    frmMain& open(const QString& path) {
        if (GetParam()) {
            env.store.write("Options", "RecallDB", "1");
            env.store.write("Common", "LastDBName", path);
            return window();
        }
        env.prompts.queueFile(path, true);
        window().mnuOpen->trigger();
        return window();
    }
};

TEST_P(IndexOnOpen, TheIndexIsReadBeforeTheFirstSearchAndGivenUpOnClose) {
    TestDictionary dict({"KOT", "KRET", "ŻÓŁW"});
    const int builds = WordIndexCache::stats().builds;
    frmMain& w = open(dict.path());
    ASSERT_FALSE(env.mod.ConnString.isEmpty()) << env.prompts.texts().join("|").toStdString();
    WordIndexCache::waitIdle();
    EXPECT_EQ(WordIndexCache::stats().builds, builds + 1);

    // The search finds it ready.
    Connection connection;
    connection.open(env.mod.ConnString);
    Recordset rs;
    rs.open("SELECT TOP 5 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", connection);
    EXPECT_EQ(rs.value(0).toString(), "KOT");
    EXPECT_EQ(WordIndexCache::stats().builds, builds + 1);

    ASSERT_GT(WordIndexCache::stats().memoryBytes, 0);
    w.mnuClose->trigger();
    EXPECT_EQ(WordIndexCache::stats().memoryBytes, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, IndexOnOpen, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "StartUp" : "FileOpen";
                         });

} // namespace
