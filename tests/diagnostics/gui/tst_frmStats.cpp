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
        env.mod.settings.LogErrors = true;
    }
    void TearDown() override { QLocale::setDefault(m_locale); }

    static QStringList answers(const frmStats& w) {
        QStringList texts;
        for (QLabel* label : w.labAnswer)
            texts << label->text();
        return texts;
    }

    TestEnvironment env;

private:
    QLocale m_locale;
};

TEST_F(StatsWindow, ShowsTheFiguresAndClosesTheWaitingWindow) {
    TestDictionary dict({"KOT", "PIES", "ŻÓŁW"}, {{1, "zwierzę"}, {1, "mruczy"}, {2, "szczeka"}, {3, "gad"}});
    env.mod.ConnString = dict.connectionString();
    frmStatsWait wait;
    wait.show();
    frmStats w(env.mod, dict.path() + QLatin1Char(' '), &wait);
    EXPECT_FALSE(wait.isVisible());
    const QStringList texts = answers(w);
    EXPECT_EQ(texts.mid(0, 3), (QStringList{"3 ", "4 ", "1,3333 "}));
    EXPECT_TRUE(texts[3].endsWith(QLatin1Char(' ')) && texts[3].size() > 10) << texts[3].toStdString();
    EXPECT_EQ(texts[4], QStringLiteral("0 ")); // the test clock stands still
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

TEST_F(StatsWindow, AFailureKeepsEarlierValuesLogsAndStillClosesTheWaitingWindow) {
    TestDictionary dict({"KOT", "PIES"});
    dict.exec("DROP TABLE OPISY");
    env.mod.ConnString = dict.connectionString();
    frmStatsWait wait;
    wait.show();
    frmStats w(env.mod, dict.path(), &wait);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_EQ(answers(w), (QStringList{"2 ", "", "", "", ""}));
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    const QString log = QString::fromLatin1(env.platform.logBytes());
    EXPECT_EQ(log.mid(20, 51), QStringLiteral("frmStats: LoadStats").leftJustified(51));
}

} // namespace
