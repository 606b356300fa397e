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
    EXPECT_TRUE(w.pctDBStatus->pixmap().isNull());
    EXPECT_TRUE(w.dbPath().isEmpty());
    for (QAction* a : {w.mnuSaveAs, w.mnuClose, w.mnuStats})
        EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(w.lvResults->model()->columnCount(), 0);
    EXPECT_FALSE(w.bSearchRunning);
    EXPECT_TRUE(w.panelText(1).isEmpty());
    EXPECT_TRUE(w.panelText(4).isEmpty());
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

TEST_F(Startup, RecallWithNothingRememberedLeavesOnlyTheDatabaseFrameEnabled) {
    setOption("RecallDB", "1");
    frmMain& w = window();
    EXPECT_TRUE(w.fraDatabase->isEnabled());
    EXPECT_TRUE(w.txtPassword->isEnabled());
    for (QGroupBox* f : {w.fraSearch1, w.fraSearch2, w.fraSearch3, w.fraSearch4, w.fraResults})
        EXPECT_FALSE(f->isEnabled()) << f->objectName().toStdString();
    EXPECT_TRUE(w.dbPath().isEmpty());
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
        w.EnableDisableControls(true);
        int letters = 0, rack = 0;
        for (QLineEdit* f : w.T)
            letters += f->isEnabled();
        for (QLineEdit* f : w.U)
            rack += f->isEnabled();
        EXPECT_EQ(letters, w.scrSearch1->value());
        EXPECT_EQ(rack, w.scrSearch3->value());
        EXPECT_TRUE(fresh.prompts.shown.isEmpty());
    }
}

TEST_F(Startup, UnconvertibleSettingIsReportedAndTheRestKeepDefaults) {
    setOption("MaxRecords", "abc");
    setOption("RefreshRecords", "50");
    setOption("Fields1", "4");
    frmMain& w = window();
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    EXPECT_EQ(env.prompts.shown[0].title, QString("Literon 2.0"));
    EXPECT_EQ(env.prompts.shown[0].text,
              QString::fromUtf8("Wystąpił błąd numer (13)\r\nOpis błędu: Niezgodność typów"));
    const QByteArray log = env.platform.logBytes();
    EXPECT_EQ(log.mid(20, 50), QByteArray("frmMain: LoadSettings").leftJustified(50, ' '));
    EXPECT_EQ(log.mid(71, 15), QByteArray("13").leftJustified(15, ' '));
    EXPECT_EQ(w.panelText(2), QString::fromUtf8("Odświeżanie tabeli: 100"));
    EXPECT_EQ(w.panelText(3), QString::fromUtf8("Limit rekordów: 5000"));
    EXPECT_EQ(w.scrSearch1->value(), 8);
    EXPECT_EQ(env.store.read("Options", "MaxRecords"), QString("abc"));
    EXPECT_EQ(env.store.read("Options", "RefreshRecords"), QString("50"));
}

using Shutdown = MainWindowTest;

TEST_F(Shutdown, AnsweringNoKeepsTheProgramAndWritesNothing) {
    frmMain& w = window();
    w.labDBName->setText("/data/slownik.mdb ");
    env.mod.ConnString = "Provider=x";
    env.prompts.queueAnswer(AnswerNo);
    EXPECT_FALSE(w.close());
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Question);
    EXPECT_EQ(env.prompts.shown[0].text, Question);
    EXPECT_TRUE(env.store.read("Common", "LastDBName").isEmpty());
}

TEST_F(Shutdown, YesRemembersTheOpenDatabaseTrimmed) {
    frmMain& w = window();
    w.labDBName->setText("/data/m\xc3\xb3j s\xc5\x82ownik.mdb ");
    env.mod.ConnString = "Provider=x";
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
