#include "MainWindowFixture.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/index/WordIndexCache.h"
#include "support/TestDictionary.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <functional>

// Every way of opening a database starts reading its word index in the
// background, so that the first search finds it ready.

namespace {

class IndexOnOpen;

struct Opening {
    const char* name;
    std::function<frmMain&(IndexOnOpen&, const QString& path)> open;
};

void PrintTo(const Opening& o, std::ostream* os) {
    *os << o.name;
}

class IndexOnOpen : public MainWindowTest, public ::testing::WithParamInterface<Opening> {
public:
    frmMain& made() { return window(); }
    TestEnvironment& environment() { return env; }

protected:
    void SetUp() override { WordIndexCache::clear(); }
    void TearDown() override { WordIndexCache::clear(); }
};

const Opening kOpenings[] = {
    {"StartUpWithRecallDB",
     [](IndexOnOpen& t, const QString& path) -> frmMain& {
         t.environment().store.write("Options", "RecallDB", "1");
         t.environment().store.write("Common", "LastDBName", path);
         return t.made();
     }},
    {"FileOpen",
     [](IndexOnOpen& t, const QString& path) -> frmMain& {
         frmMain& w = t.made();
         t.environment().prompts.queueFile(path, true);
         w.mnuOpen->trigger();
         return w;
     }},
    {"TestButton",
     [](IndexOnOpen& t, const QString& path) -> frmMain& {
         t.environment().store.write("Options", "RecallDB", "1");
         frmMain& w = t.made();
         w.labDBName->setText(path + " ");
         w.cmdDBTest->click();
         return w;
     }},
};

TEST_P(IndexOnOpen, TheIndexIsReadBeforeTheFirstSearch) {
    TestDictionary dict({"KOT", "KRET", "ŻÓŁW"});
    const int builds = WordIndexCache::stats().builds;
    GetParam().open(*this, dict.path());
    ASSERT_FALSE(env.mod.ConnString.isEmpty()) << env.prompts.texts().join("|").toStdString();
    WordIndexCache::waitIdle();
    EXPECT_EQ(WordIndexCache::stats().builds, builds + 1);
    EXPECT_GT(WordIndexCache::stats().memoryBytes, 0);

    // The search finds it ready.
    Connection connection;
    connection.open(env.mod.ConnString);
    Recordset rs;
    rs.open("SELECT TOP 5 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", connection);
    EXPECT_EQ(rs.value(0).toString(), "KOT");
    EXPECT_EQ(WordIndexCache::stats().builds, builds + 1);
}

class IndexOnClose : public IndexOnOpen {};

TEST_F(IndexOnClose, ClosingTheDatabaseGivesItsIndexUp) {
    TestDictionary dict({"KOT"});
    frmMain& w = kOpenings[1].open(*this, dict.path());
    WordIndexCache::waitIdle();
    ASSERT_GT(WordIndexCache::stats().memoryBytes, 0);
    ASSERT_TRUE(w.mnuClose->isEnabled());
    w.mnuClose->trigger();
    EXPECT_EQ(WordIndexCache::stats().memoryBytes, 0);
}

INSTANTIATE_TEST_SUITE_P(Ways, IndexOnOpen, ::testing::ValuesIn(kOpenings),
                         [](const ::testing::TestParamInfo<Opening>& info) { return info.param.name; });

} // namespace
