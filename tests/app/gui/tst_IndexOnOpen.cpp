#include "MainWindowFixture.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/index/WordIndexCache.h"
#include "support/TestDictionary.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

// Every way of opening a database starts reading its word index in the
// background, so that the first search finds it ready; closing gives it up.

namespace {

// Opens a database at start-up (RecallDB), through File > Open, or with the test button.
class IndexOnOpen : public MainWindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override { WordIndexCache::clear(); }
    void TearDown() override { WordIndexCache::clear(); }

    QString way() const { return QString::fromUtf8(GetParam()); }
    frmMain& open(const QString& path) {
        if (way() != "FileOpen")
            env.store.write("Options", "RecallDB", "1");
        if (way() == "StartUp")
            env.store.write("Common", "LastDBName", path);
        frmMain& w = window();
        if (way() == "FileOpen") {
            env.prompts.queueFile(path, true);
            w.mnuOpen->trigger();
        } else if (way() == "TestButton") {
            w.labDBName->setText(path + " ");
            w.cmdDBTest->click();
        }
        return w;
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
    if (way() == "TestButton")
        return; // the button leaves Close as it was: disabled here
    w.mnuClose->trigger();
    EXPECT_EQ(WordIndexCache::stats().memoryBytes, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, IndexOnOpen, ::testing::Values("StartUp", "FileOpen", "TestButton"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return info.param; });

} // namespace
