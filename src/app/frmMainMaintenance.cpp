// The main window's maintenance commands: the results list's pop-up entries
// and double click, which open the word and description dialogs.

#include "app/frmMain.h"
#include "common/Prompts.h"
#include "common/modMain.h"
#include "maintenance/WordEditing.h"
#include "maintenance/frmAddWord.h"
#include "maintenance/frmMaintainDescriptions.h"
#include "maintenance/frmUpdateWord.h"
#include "search/ResultsModel.h"
#include "search/gui/EventHook.h"
#include "search/gui/ResultsList.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QTreeView>

namespace {

QString place(const char* procedure) {
    return QStringLiteral("frmMain: ") + QLatin1String(procedure);
}

} // namespace

void frmMain::connectMaintenanceHandlers() {
    connect(mnuPopUpMaintainDescriptions, &QAction::triggered, this,
            &frmMain::mnuPopUpMaintainDescriptions_Click);
    connect(mnuPopUpMaintainWord, &QAction::triggered, this, &frmMain::mnuPopUpMaintainWord_Click);
    connect(mnuPopUpAddWord, &QAction::triggered, this, &frmMain::mnuPopUpAddWord_Click);
    connect(mnuPopUpDeleteWord, &QAction::triggered, this, &frmMain::mnuPopUpDeleteWord_Click);
    new EventHook(lvResults->viewport(), [this](QEvent* event) {
        if (event->type() != QEvent::MouseButtonDblClick ||
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        lvResults_DblClick();
        return true;
    });
}

void frmMain::openDescriptions() {
    const int row = m_results->currentRow();
    if (row < 0)
        return; // no current row: nothing to open
    const QString word = m_results->model()->text(row, 0);
    frmMaintainDescriptions window(m_mod, this);
    window.Init(word);
    window.labCurrentWord->setText(word + QLatin1Char(' '));
    window.Form_Load();
    window.exec();
}

void frmMain::lvResults_DblClick() {
    m_mod.trap(place("lvResults_DblClick"), [&] {
        // Only a word list: query results (not sorted) are not words.
        if (m_results->rowCount() > 0 && m_results->model()->sorted())
            openDescriptions();
    });
}

void frmMain::mnuPopUpMaintainDescriptions_Click() {
    m_mod.trap(place("mnuPopUpMaintainDescriptions_Click"), [&] { openDescriptions(); });
}

void frmMain::mnuPopUpMaintainWord_Click() {
    m_mod.trap(place("mnuPopUpMaintainWord_Click"), [&] {
        const int row = m_results->currentRow();
        if (row < 0)
            return;
        frmUpdateWord dialog(m_mod, m_results, this);
        dialog.labCurrentWord->setText(m_results->model()->text(row, 0) + QLatin1Char(' '));
        dialog.exec();
    });
}

void frmMain::mnuPopUpAddWord_Click() {
    modMain::skipOnError([&] {
        frmAddWord dialog(m_mod, m_results, this);
        dialog.exec();
    });
}

void frmMain::mnuPopUpDeleteWord_Click() {
    m_mod.trap(place("mnuPopUpDeleteWord_Click"), [&] {
        const bool many = WordEditing::deletesMany(mnuPopUpDeleteWord->text());
        if (m_mod.MsgQuestion(WordEditing::deleteQuestion(many)) != AnswerYes)
            return;
        QList<int> rows;
        if (many) {
            rows = m_results->selectedRows();
        } else if (const int row = m_results->currentRow(); row >= 0) {
            rows << row;
        }
        if (rows.isEmpty())
            return;
        QStringList words;
        for (int row : rows)
            words << m_results->model()->text(row, 0);
        WordEditing::deleteWords({m_mod.ConnString, m_mod.settings.ConnTimeout}, words);
        // From the last row to the first, so removals do not shift rows still to come.
        for (auto it = rows.crbegin(); it != rows.crend(); ++it)
            m_results->model()->removeRows(*it, 1);
        m_results->refresh();
        m_mod.MsgInfo(WordEditing::deletedMessage(many));
    });
}
