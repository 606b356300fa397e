#include "MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

using Startup = MainWindowTest;

const QString Question = QString::fromUtf8("Czy na pewno chcesz zakończyć pracę programu?");

TEST_F(Startup, WithoutRecallTheWindowHasNoDatabase) {
    env.mod.ConnString = "left over";
    frmMain& w = window();
    EXPECT_TRUE(env.mod.ConnString.isEmpty());
    for (QGroupBox* f : w.findChildren<QGroupBox*>())
        EXPECT_FALSE(f->isEnabled()) << f->objectName().toStdString();
    EXPECT_FALSE(w.mnuClose->isEnabled());
}

TEST_F(Startup, RecallWithNothingRememberedLeavesOnlyTheDatabaseFrameEnabled) {
    setOption("RecallDB", "1");
    frmMain& w = window();
    EXPECT_TRUE(w.fraDatabase->isEnabled());
    EXPECT_FALSE(w.fraSearch1->isEnabled());
    EXPECT_TRUE(env.mod.ConnString.isEmpty());
}

// Each setting alone moves its own control and no other; the rows of letter
// and rack fields that come on follow the counts.
TEST_F(Startup, EachSettingAloneSetsItsOwnControl) {
    const struct {
        const char* key; // nullptr: nothing stored, the defaults
        const char* text;
        const char* state; // Fields1 Fields3 Anagrams Descriptions Blanks
    } cases[] = {
        {nullptr, "", "8 7 000"},     {"Fields1", "5", "5 7 000"},      {"Fields3", "3", "8 3 000"},
        {"Anagrams", "1", "8 7 100"}, {"Descriptions", "1", "8 7 010"}, {"Blanks", "1", "8 7 001"},
    };
    for (const auto& c : cases) {
        TestEnvironment fresh;
        if (c.key)
            fresh.store.write(QStringLiteral("Options"), QLatin1String(c.key), QLatin1String(c.text));
        frmMain w(fresh.mod);
        const QString state = QStringLiteral("%1 %2 %3%4%5")
                                  .arg(w.scrSearch1->value())
                                  .arg(w.scrSearch3->value())
                                  .arg(int(w.chkSearch1->isChecked()))
                                  .arg(int(w.chkSearch2->isChecked()))
                                  .arg(int(w.chkSearch3->isChecked()));
        EXPECT_EQ(state, QLatin1String(c.state)) << (c.key ? c.key : "defaults");
    }
}

TEST_F(Startup, UnconvertibleSettingIsReportedAndTheRestKeepDefaults) {
    setOption("MaxRecords", "abc");
    setOption("RefreshRecords", "50");
    setOption("Fields1", "4");
    frmMain& w = window();
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].text,
              QString::fromUtf8("Wystąpił błąd numer (13)\r\nOpis błędu: Niezgodność typów"));
    const QByteArray log = env.platform.logBytes();
    EXPECT_EQ(log.mid(20, 50), QByteArray("frmMain: LoadSettings").leftJustified(50, ' '));
    EXPECT_EQ(w.panelText(2), QString::fromUtf8("Odświeżanie tabeli: 100"));
    EXPECT_EQ(w.panelText(3), QString::fromUtf8("Limit rekordów: 5000"));
    EXPECT_EQ(w.scrSearch1->value(), 8);
    EXPECT_EQ(env.store.read("Options", "MaxRecords"), QString("abc"));
}

using Shutdown = MainWindowTest;

TEST_F(Shutdown, NoKeepsTheProgramAndYesRemembersTheOpenDatabaseTrimmed) {
    frmMain& w = window();
    w.labDBName->setText("/data/m\xc3\xb3j s\xc5\x82ownik.mdb ");
    env.mod.ConnString = "Provider=x";
    env.prompts.queueAnswer(AnswerNo);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(env.prompts.texts(), QStringList(Question));
    EXPECT_TRUE(env.store.read("Common", "LastDBName").isEmpty());
    env.prompts.queueAnswer(AnswerYes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(env.store.read("Common", "LastDBName"), QString::fromUtf8("/data/mój słownik.mdb"));
}

TEST_F(Shutdown, WithoutAUsableDatabaseTheRememberedPathStays) {
    env.store.write("Common", "LastDBName", "/old/path.mdb");
    frmMain& w = window();
    // A path shown but the connection string emptied (closed, or an error in the check).
    w.labDBName->setText("/data/new.mdb ");
    env.prompts.queueAnswer(AnswerYes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(env.store.read("Common", "LastDBName"), QString("/old/path.mdb"));
}

} // namespace
