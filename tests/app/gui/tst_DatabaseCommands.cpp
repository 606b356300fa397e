#include "MainWindowFixture.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/DatabaseFiles.h"
#include "db/Recordset.h"
#include "db/native/NativeDatabase.h"
#include "search/ResultsModel.h"
#include "support/Fixtures.h"
#include "support/TestDictionary.h"

#include <QDir>
#include <QFile>

namespace {

const QString BadFormat =
    QString::fromUtf8("Połączenie z bazą danych nie zostało ustanowione. Format pliku jest niepoprawny.");
const QString Exists =
    QString::fromUtf8("Baza danych nie została utworzona. Plik o podanej nazwie już istnieje.");
const QString NoTemplate =
    QString::fromUtf8("Baza danych nie została utworzona. Baza wzorcowa nie istnieje.");
const QString ConnectedText = QString::fromUtf8("Połączenie z bazą danych zostało ustanowione poprawnie.");
const QString Created = QString::fromUtf8("Baza danych została utworzona.");

class DatabaseCommands : public MainWindowTest {
protected:
    QString programFile(const QString& name) const { return env.platform.programFolder() + "/" + name; }

    // Runs a file menu entry on `path`, as the user would choose it; the
    // prompts then hold only what this entry showed.
    void choose(QAction* entry, const QString& path, bool readOnly = false) {
        env.prompts.clear();
        env.prompts.queueFile(path, readOnly);
        entry->trigger();
    }

    bool insertWord(const QString& word) {
        try {
            Command command;
            command.setActiveConnection(env.mod.ConnString);
            command.setCommandText(QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('%1')").arg(word));
            command.execute();
            return true;
        } catch (const AppError&) {
            return false;
        }
    }

    void expectConnected() {
        frmMain& w = window();
        EXPECT_EQ(w.pctDBStatus->pixmap().toImage(), w.imgList[0].toImage());
        EXPECT_TRUE(w.fraSearch4->isEnabled());
        EXPECT_EQ(w.lvResults->model()->columnCount(), 1);
        EXPECT_TRUE(w.mnuStats->isEnabled());
        EXPECT_FALSE(env.mod.ConnString.isEmpty());
    }
};

// Opened with no database before, a file refused only for its password leaves
// the password box and the test button usable, or it could never be typed.
// An error inside the check empties the connection string and is shown only
// with LogConnErrors; the right password then connects.
TEST_F(DatabaseCommands, APasswordFailureLeavesThePasswordUsableUntilTheRightOneConnects) {
    TestDictionary dict({"KOT"}, {}, QString::fromUtf8("hasło"));
    const QString garbage = dict.folder() + "/smieci.mdb";
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
    file.close();
    frmMain& w = window();
    choose(w.mnuOpen, garbage);
    EXPECT_EQ(env.prompts.texts().size(), 1);
    EXPECT_FALSE(w.txtPassword->isEnabled());
    EXPECT_FALSE(w.cmdDBTest->isEnabled());

    choose(w.mnuOpen, dict.path());
    EXPECT_EQ(env.prompts.texts(), QStringList(BadFormat));
    EXPECT_EQ(w.pctDBStatus->pixmap().toImage(), w.imgList[1].toImage());
    EXPECT_TRUE(w.txtPassword->isEnabled());
    EXPECT_TRUE(w.cmdDBTest->isEnabled());
    EXPECT_FALSE(w.fraSearch1->isEnabled());

    for (bool logConn : {false, true}) {
        env.mod.settings.LogConnErrors = logConn;
        env.prompts.clear();
        QFile::remove(env.platform.logPath());
        env.mod.ConnString = "old";
        w.txtPassword->setText("zle");
        EXPECT_EQ(w.DBStatus(), 2);
        EXPECT_TRUE(env.mod.ConnString.isEmpty());
        EXPECT_EQ(env.prompts.shown.size(), logConn ? 1 : 0);
        EXPECT_EQ(env.platform.logBytes().mid(20, 50),
                  logConn ? QByteArray("frmMain: DBStatus").leftJustified(50, ' ') : QByteArray());
    }

    env.prompts.clear();
    w.setPanelText(1, "x");
    w.txtPassword->setText(QString::fromUtf8("hasło"));
    EXPECT_EQ(w.txtPassword->displayText(), QString("*****"));
    w.cmdDBTest->click();
    EXPECT_EQ(env.prompts.texts(), QStringList(ConnectedText));
    EXPECT_TRUE(w.fraSearch1->isEnabled());
    EXPECT_TRUE(w.panelText(1).isEmpty());
}

TEST_F(DatabaseCommands, OpenTakesOverTheFileInTheChosenMode) {
    TestDictionary dict({"KOT", "PIES"});
    for (bool readOnly : {true, false}) {
        frmMain& w = window();
        w.txtPassword->setText("stare");
        w.U[6]->setText("B");
        w.txtQuery->setPlainText("SELECT 1");
        choose(w.mnuOpen, dict.path(), readOnly);
        EXPECT_TRUE(env.prompts.shown.isEmpty()) << env.prompts.texts().join("|").toStdString();
        EXPECT_EQ(w.labDBName->text(), dict.path() + " ");
        EXPECT_EQ(w.chkReadOnly->isChecked(), readOnly);
        EXPECT_TRUE(w.txtPassword->text().isEmpty());
        EXPECT_TRUE(w.U[6]->text().isEmpty());
        EXPECT_TRUE(w.txtQuery->toPlainText().isEmpty());
        EXPECT_EQ(w.focusWidget(), w.txtPassword);
        expectConnected();
        EXPECT_EQ(insertWord("KOTY"), !readOnly);
    }
}

// An existing file is refused before the template is looked for; without a
// template nothing changes; with one the copy is made and connected.
TEST_F(DatabaseCommands, NewRefusesAnExistingFileThenAMissingTemplateThenCopiesTheTemplate) {
    TestDictionary dict({"KOT"});
    frmMain& w = window();
    choose(w.mnuOpen, dict.path());
    const QString connection = env.mod.ConnString;
    choose(w.mnuNew, dict.path());
    EXPECT_EQ(env.prompts.texts(), QStringList(Exists));

    const QString target = programFile("Databases nowe/mój słownik.mdb");
    QDir().mkpath(QFileInfo(target).path());
    choose(w.mnuNew, target);
    EXPECT_EQ(env.prompts.texts(), QStringList(NoTemplate));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(w.dbPath(), dict.path());
    EXPECT_EQ(env.mod.ConnString, connection);

    QDir(env.platform.programFolder()).mkpath("Templates");
    NativeDatabase::create(DatabaseFiles::templatePath(env.platform.programFolder()), QString());
    w.T[3]->setText("X");
    choose(w.mnuNew, target);
    EXPECT_EQ(env.prompts.texts(), QStringList(Created));
    EXPECT_EQ(w.dbPath(), target);
    EXPECT_TRUE(w.T[3]->text().isEmpty());
    expectConnected();
    EXPECT_TRUE(insertWord(QString::fromUtf8("ŻÓŁW")));
}

TEST_F(DatabaseCommands, SaveAsKeepsThePasswordAndChecksTheCopyWithIt) {
    TestDictionary dict({"KOT", "PIES"}, {}, "tajne;1");
    frmMain& w = window();
    choose(w.mnuOpen, dict.path());
    w.txtPassword->setText("tajne;1");
    w.cmdDBTest->click();
    w.T[0]->setText("K");
    choose(w.mnuSaveAs, programFile("kopia.mdb"));
    EXPECT_EQ(env.prompts.texts(), QStringList(Created));
    EXPECT_EQ(w.txtPassword->text(), QString("tajne;1"));
    EXPECT_EQ(w.T[0]->text(), QString("K")); // search fields keep their contents
    expectConnected();
    EXPECT_TRUE(env.mod.ConnString.contains("kopia.mdb"));
    EXPECT_TRUE(insertWord("KOTY"));
    EXPECT_TRUE(QFile::exists(dict.path()));
}

TEST_F(DatabaseCommands, CloseEmptiesTheWindow) {
    TestDictionary dict({"KOT"});
    frmMain& w = window();
    choose(w.mnuOpen, dict.path(), true);
    w.T[1]->setText("Q");
    w.txtPassword->setText("haslo");
    w.resultsModel()->addRow({QStringLiteral("KOT")});
    w.mnuClose->trigger();
    EXPECT_EQ(w.lvResults->model()->rowCount(), 0);
    EXPECT_FALSE(w.mnuStats->isEnabled());
    EXPECT_TRUE(env.mod.ConnString.isEmpty());
    EXPECT_TRUE(w.labDBName->text().isEmpty());
    EXPECT_TRUE(w.txtPassword->text().isEmpty());
    for (QGroupBox* f : w.findChildren<QGroupBox*>())
        EXPECT_FALSE(f->isEnabled()) << f->objectName().toStdString();
    EXPECT_EQ(w.T[1]->text(), QString("Q"));
}

TEST_F(DatabaseCommands, SaveAsOfAnAccessFileGivesAnEditableCopy) {
    LITERON_REQUIRE_FIXTURES();
    frmMain& w = window();
    // Asked for read-write: a genuine Access file is only read.
    choose(w.mnuOpen, fixturePath(QStringLiteral("mdb/slownik.mdb")));
    EXPECT_TRUE(env.mod.DBReadOnly);
    EXPECT_TRUE(w.chkReadOnly->isChecked());
    const QString target = programFile("edytowalny.mdb");
    choose(w.mnuSaveAs, target);
    EXPECT_EQ(env.prompts.texts(), QStringList(Created));
    EXPECT_FALSE(DatabaseFiles::isAccessFile(target));
    EXPECT_FALSE(w.chkReadOnly->isChecked());
    EXPECT_TRUE(insertWord("NOWY"));
    Connection connection;
    connection.open(env.mod.ConnString);
    Recordset rs;
    rs.open("SELECT COUNT(*) FROM WYRAZY", connection);
    EXPECT_EQ(rs.value(0).toInt(), 121);
}

TEST_F(DatabaseCommands, RecallAtStartupConnectsTheRememberedDatabase) {
    TestDictionary dict({"KOT"});
    setOption("RecallDB", "1");
    setOption("OpenReadOnly", "1");
    env.store.write("Common", "LastDBName", dict.path());
    frmMain& w = window();
    EXPECT_TRUE(env.prompts.shown.isEmpty());
    EXPECT_EQ(w.labDBName->text(), dict.path() + " ");
    EXPECT_TRUE(w.chkReadOnly->isChecked());
    expectConnected();
}

} // namespace
