#include "MainWindowFixture.h"

namespace {

using Startup = MainWindowTest;

TEST_F(Startup, NothingIsConnectedAndOnlyRecallEnablesTheDatabaseFrame) {
    for (bool recall : {false, true}) {
        TestEnvironment fresh;
        if (recall)
            fresh.store.write("Options", "RecallDB", "1");
        else
            fresh.mod.ConnString = "left over";
        frmMain w(fresh.mod);
        EXPECT_TRUE(fresh.mod.ConnString.isEmpty());
        for (QGroupBox* f : w.findChildren<QGroupBox*>())
            EXPECT_EQ(f->isEnabled(), recall && f == w.fraDatabase) << f->objectName().toStdString();
        EXPECT_FALSE(w.mnuClose->isEnabled());
    }
}

// Each setting alone moves its own control and no other.
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
    setOption("Fields1", "4");
    frmMain& w = window();
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].text,
              QString::fromUtf8("Wystąpił błąd numer (13)\r\nOpis błędu: Niezgodność typów"));
    EXPECT_EQ(env.platform.logBytes().mid(20, 50),
              QByteArray("frmMain: LoadSettings").leftJustified(50, ' '));
    EXPECT_EQ(w.panelText(3), QString::fromUtf8("Limit rekordów: 5000"));
    EXPECT_EQ(w.scrSearch1->value(), 8);
    EXPECT_EQ(env.store.read("Options", "MaxRecords"), QString("abc"));
}

// The question is asked either way; only a connected database is remembered.
TEST_F(Startup, ClosingAsksAndRemembersOnlyAConnectedDatabaseTrimmed) {
    for (bool connected : {false, true}) {
        TestEnvironment fresh;
        fresh.store.write("Common", "LastDBName", "/old/path.mdb");
        frmMain w(fresh.mod);
        w.labDBName->setText(QString::fromUtf8("/data/mój słownik.mdb "));
        fresh.mod.ConnString = connected ? "Provider=x" : "";
        fresh.prompts.queueAnswer(AnswerNo);
        EXPECT_FALSE(w.close());
        EXPECT_EQ(fresh.prompts.texts(),
                  QStringList(QString::fromUtf8("Czy na pewno chcesz zakończyć pracę programu?")));
        EXPECT_EQ(fresh.store.read("Common", "LastDBName"), QString("/old/path.mdb"));
        fresh.prompts.queueAnswer(AnswerYes);
        EXPECT_TRUE(w.close());
        EXPECT_EQ(fresh.store.read("Common", "LastDBName"),
                  connected ? QString::fromUtf8("/data/mój słownik.mdb") : QString("/old/path.mdb"));
    }
}

} // namespace
