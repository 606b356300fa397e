#include "diagnostics/frmStats.h"
#include "diagnostics/frmStatsWait.h"
#include "support/TestDictionary.h"
#include "support/TestEnvironment.h"

#include <QLabel>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

class StatsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_locale = QLocale();
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    }
    void TearDown() override { QLocale::setDefault(m_locale); }

    // Opens the window over a shown waiting window; the answers it shows.
    QStringList answersFor(const TestDictionary& dict) {
        env.mod.ConnString = dict.connectionString();
        frmStatsWait wait;
        wait.show();
        frmStats w(env.mod, dict.path(), &wait);
        EXPECT_FALSE(wait.isVisible());
        QStringList texts;
        for (QLabel* label : w.labAnswer)
            texts << label->text();
        return texts;
    }

    TestEnvironment env;

private:
    QLocale m_locale;
};

TEST_F(StatsWindow, ShowsTheFiguresRegionallyOrKeepsEarlierOnesLogsAndStillClosesTheWaitingWindow) {
    TestDictionary dict({"KOT", "PIES", "ŻÓŁW"}, {{1, "zwierzę"}, {1, "mruczy"}, {2, "szczeka"}, {3, "gad"}});
    const QStringList texts = answersFor(dict);
    EXPECT_EQ(texts.mid(0, 3), (QStringList{"3 ", "4 ", "1,3333 "}));
    EXPECT_EQ(texts[4], QStringLiteral("0 ")); // the test clock stands still

    dict.exec("DROP TABLE OPISY");
    EXPECT_EQ(answersFor(dict), (QStringList{"3 ", "", "", "", ""}));
    ASSERT_EQ(env.prompts.shown.size(), 1); // the failure only
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    EXPECT_EQ(env.platform.logBytes().mid(20, 51), QByteArray("frmStats: LoadStats").leftJustified(51));
}

} // namespace
