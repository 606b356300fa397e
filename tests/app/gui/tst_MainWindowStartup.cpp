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

TEST_F(Startup, StatusBarShowsRefreshAndLimit) {
    setOption("RefreshRecords", "250");
    setOption("MaxRecords", "1234");
    frmMain& w = window();
    EXPECT_EQ(w.panelText(2), QString::fromUtf8("Odświeżanie tabeli: 250"));
    EXPECT_EQ(w.panelText(3), QString::fromUtf8("Limit rekordów: 1234"));
    EXPECT_EQ(w.panelText(2), w.barStatusPanel(2)->text());
}

TEST_F(Startup, SettingsAreAppliedToTheSearchControls) {
    setOption("Fields1", "5");
    setOption("Fields3", "3");
    setOption("Anagrams", "1");
    setOption("Descriptions", "1");
    setOption("Blanks", "1");
    frmMain& w = window();
    EXPECT_EQ(w.scrSearch1->value(), 5);
    EXPECT_EQ(w.scrSearch3->value(), 3);
    EXPECT_TRUE(w.chkSearch1->isChecked());
    EXPECT_TRUE(w.chkSearch2->isChecked());
    EXPECT_TRUE(w.chkSearch3->isChecked());
    // Once the frames come on, only the configured counts of fields do.
    w.EnableDisableControls(true);
    EXPECT_TRUE(w.T[4]->isEnabled());
    EXPECT_FALSE(w.T[5]->isEnabled());
    EXPECT_TRUE(w.U[2]->isEnabled());
    EXPECT_FALSE(w.U[3]->isEnabled());
}

TEST_F(Startup, FalseSettingsLeaveTheBoxesAsDesigned) {
    frmMain& w = window();
    EXPECT_FALSE(w.chkSearch1->isChecked());
    EXPECT_FALSE(w.chkSearch2->isChecked());
    EXPECT_FALSE(w.chkSearch3->isChecked());
    EXPECT_EQ(w.scrSearch1->value(), 8);
    EXPECT_EQ(w.scrSearch3->value(), 7);
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

TEST_F(Shutdown, RefusedWithoutAQuestionWhileSearching) {
    frmMain& w = window();
    w.bSearchRunning = true;
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

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

TEST_F(Shutdown, ExitEntryAsksTheSameQuestion) {
    frmMain& w = window();
    w.show();
    env.prompts.queueAnswer(AnswerNo);
    w.mnuExit->trigger();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(env.prompts.texts(), QStringList(Question));
    env.prompts.queueAnswer(AnswerYes);
    w.mnuExit->trigger();
    EXPECT_FALSE(w.isVisible());
}

} // namespace
