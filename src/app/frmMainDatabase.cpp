// frmMain: the connection check and the database file commands.
#include "app/frmMain.h"

#include "common/Platform.h"
#include "common/Prompts.h"
#include "common/modMain.h"
#include "db/ConnectionString.h"
#include "db/DatabaseFiles.h"
#include "db/ProviderErrors.h"
#include "db/SchemaCheck.h"
#include "db/index/WordIndexCache.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QString place(const char* procedure) {
    return QStringLiteral("frmMain: ") + QLatin1String(procedure);
}

const QString NotCreatedExists =
    QStringLiteral("Baza danych nie została utworzona. Plik o podanej nazwie już istnieje.");
const QString NotCreatedNoTemplate =
    QStringLiteral("Baza danych nie została utworzona. Baza wzorcowa nie istnieje.");
const QString Created = QStringLiteral("Baza danych została utworzona.");
const QString Connected = QStringLiteral("Połączenie z bazą danych zostało ustanowione poprawnie.");

} // namespace

qint16 frmMain::DBStatus() {
    const QString path = dbPath();
    const QString built = ConnectionString::build(m_mod.DBReadOnly, path, txtPassword->text());
    const SchemaCheck::Result result = SchemaCheck::run(path, built);
    m_checkError = result.error;
    if (result.error) {
        m_mod.ConnString.clear();
        if (m_mod.settings.LogConnErrors) {
            m_mod.ShowErrorMessage(*result.error);
            m_mod.ReportError(place("DBStatus"), *result.error);
        }
    } else if (result.code == 1) {
        // No file of that name: no connection string may keep pointing at the
        // database shown before, or statistics and the shutdown would use it.
        m_mod.ConnString.clear();
    } else {
        m_mod.ConnString = built;
        // The first search should not wait for the word index: read it now, in the background.
        WordIndexCache::prepare(built);
    }
    return result.code;
}

QString frmMain::DBError(qint16 code) {
    QString message;
    m_mod.trap(place("DBError"), [&] { message = SchemaCheck::DBError(code); });
    return message;
}

bool frmMain::DBTest() {
    bool usable = true;
    m_mod.trap(place("DBTest"), [&] {
        const QString message = DBError(DBStatus());
        if (!message.isEmpty()) {
            usable = false;
            LoadDBStatusImage(false);
            EnableDisableControls(false);
            m_mod.MsgWarning(message);
        }
    });
    return usable;
}

void frmMain::cmdDBTest_Click() {
    m_mod.trap(place("cmdDBTest_Click"), [&] {
        const QString message = DBError(DBStatus());
        if (!message.isEmpty()) {
            LoadDBStatusImage(false);
            EnableDisableControls(false);
            m_mod.MsgWarning(message);
        } else {
            LoadDBStatusImage(true);
            EnableDisableControls(true);
            m_mod.MsgInfo(Connected);
        }
    });
}

FileDialogResult frmMain::chooseDatabaseFile(bool save, const QString& title, const QString& filter) {
    FileDialogRequest request;
    request.kind = save ? FileDialogRequest::Save : FileDialogRequest::Open;
    request.title = title;
    request.filter = filter;
    request.startFolder = DatabaseFiles::databasesFolder(m_mod.platform().programFolder());
    request.readOnly = m_mod.settings.OpenReadOnly;
    // Cancelling, or failing before the dialog has closed, ends the command silently.
    FileDialogResult chosen;
    modMain::skipOnError([&] { chosen = m_mod.prompts().fileDialog(request); });
    return chosen;
}

void frmMain::takeOver(const QString& path, bool readOnly) {
    labDBName->setText(path + QLatin1Char(' '));
    // Genuine Access files are only read; "Zapisz jako..." makes an editable copy.
    const bool onlyRead = readOnly || DatabaseFiles::isAccessFile(path);
    m_mod.DBReadOnly = onlyRead;
    chkReadOnly->setChecked(onlyRead);
}

void frmMain::startAfresh(const QString& path, bool readOnly) {
    takeOver(path, readOnly);
    txtPassword->clear();
    emptySearchFields();
    setDatabaseEntries(true);
    checkAndShow();
}

void frmMain::checkAndShow() {
    const QString message = DBError(DBStatus());
    if (!message.isEmpty()) {
        LoadDBStatusImage(false);
        EnableDisableControls(false);
        // The database frame keeps the state it had, unless the password was
        // refused: then the user must be able to type it and test again.
        const qint32 error = m_checkError ? m_checkError->number() : 0;
        if (error == ProviderErrors::AuthenticationFailed) {
            EnableDisableFrame(true, fraDatabase);
            txtPassword->setFocus();
        }
        clearResults();
        // A file that only needs its write bits to be repaired is not of a wrong format.
        m_mod.MsgWarning(error == ProviderErrors::ReadOnlyRepair ? m_checkError->description() : message);
        return;
    }
    LoadDBStatusImage(true);
    EnableDisableControls(true);
    EnableDisableFrame(true, fraDatabase);
    clearResults();
    addWordColumn();
    txtPassword->setFocus();
}

void frmMain::emptySearchFields() {
    for (QLineEdit* field : T)
        field->clear();
    txtPattern->clear();
    for (QLineEdit* field : U)
        field->clear();
    txtQuery->clear();
}

void frmMain::setDatabaseEntries(bool enable) {
    mnuSaveAs->setEnabled(enable);
    mnuClose->setEnabled(enable);
    mnuStats->setEnabled(enable);
}

void frmMain::mnuOpen_Click() {
    const FileDialogResult chosen =
        chooseDatabaseFile(false, DatabaseFiles::OpenTitle, DatabaseFiles::OpenFilter);
    if (!chosen.accepted)
        return;
    m_mod.trap(place("mnuOpen_Click"), [&] { startAfresh(chosen.path, chosen.readOnly); });
}

void frmMain::mnuNew_Click() {
    const FileDialogResult chosen =
        chooseDatabaseFile(true, DatabaseFiles::NewTitle, DatabaseFiles::SaveFilter);
    if (!chosen.accepted)
        return;
    m_mod.trap(place("mnuNew_Click"), [&] {
        if (QFileInfo::exists(chosen.path)) {
            m_mod.MsgWarning(NotCreatedExists);
            return;
        }
        const QString templateFile = DatabaseFiles::templatePath(m_mod.platform().programFolder());
        if (!DatabaseFiles::isNormalFile(templateFile)) {
            m_mod.MsgWarning(NotCreatedNoTemplate);
            return;
        }
        DatabaseFiles::copyFile(templateFile, chosen.path);
        startAfresh(chosen.path, chosen.readOnly);
        m_mod.MsgInfo(Created);
    });
}

void frmMain::mnuSaveAs_Click() {
    const FileDialogResult chosen =
        chooseDatabaseFile(true, DatabaseFiles::SaveAsTitle, DatabaseFiles::SaveFilter);
    if (!chosen.accepted)
        return;
    m_mod.trap(place("mnuSaveAs_Click"), [&] {
        if (QFileInfo::exists(chosen.path)) {
            m_mod.MsgWarning(NotCreatedExists);
            return;
        }
        // A failed copy throws before the copy is taken over: the current database stays.
        DatabaseFiles::copyDatabase(dbPath(), chosen.path, txtPassword->text());
        takeOver(chosen.path, chosen.readOnly);
        checkAndShow();
        m_mod.MsgInfo(Created);
    });
}

void frmMain::mnuClose_Click() {
    m_mod.trap(place("mnuClose_Click"), [&] {
        EnableDisableControls(false);
        EnableDisableFrame(false, fraDatabase);
        labDBName->clear();
        txtPassword->clear();
        chkReadOnly->setChecked(false);
        pctDBStatus->setPixmap(QPixmap());
        clearResults();
        setDatabaseEntries(false);
        m_mod.ConnString.clear();
        WordIndexCache::clear();
    });
}

void frmMain::LoadLastDB() {
    m_mod.trap(place("LoadLastDB"), [&] {
        const QString last = m_mod.ReadRegistry(QStringLiteral("Common"), QStringLiteral("LastDBName"));
        if (last.isEmpty())
            return;
        labDBName->setText(last + QLatin1Char(' '));
        txtPassword->clear();
        const bool onlyRead = m_mod.settings.OpenReadOnly || DatabaseFiles::isAccessFile(last);
        m_mod.DBReadOnly = onlyRead;
        chkReadOnly->setChecked(onlyRead);
        setDatabaseEntries(true);
        const QString message = DBError(DBStatus());
        if (!message.isEmpty()) {
            // No message at start-up; the frame stays enabled for the password.
            LoadDBStatusImage(false);
            EnableDisableControls(false);
            clearResults();
            return;
        }
        LoadDBStatusImage(true);
        EnableDisableControls(true);
        EnableDisableFrame(true, fraDatabase);
        clearResults();
        addWordColumn();
    });
}
