// The main window's entries that only open another window: the options dialog
// and the help topics of the six frames.
#include "app/frmMain.h"

#include "app/gui/HelpIcon.h"
#include "common/modMain.h"
#include "help/frmHelp.h"
#include "options/frmOptions.h"

#include <QAction>

void frmMain::connectOptionsAndHelp() {
    connect(mnuOptions, &QAction::triggered, this, &frmMain::mnuOptions_Click);
    connect(pctDBHelp, &HelpIcon::clicked, this, &frmMain::pctDBHelp_Click);
    connect(pctHelp1, &HelpIcon::clicked, this, &frmMain::pctHelp1_Click);
    connect(pctHelp2, &HelpIcon::clicked, this, &frmMain::pctHelp2_Click);
    connect(pctHelp3, &HelpIcon::clicked, this, &frmMain::pctHelp3_Click);
    connect(pctHelp4, &HelpIcon::clicked, this, &frmMain::pctHelp4_Click);
    connect(pctResultsHelp, &HelpIcon::clicked, this, &frmMain::pctResultsHelp_Click);
}

void frmMain::mnuOptions_Click() {
    modMain::skipOnError([&] {
        frmOptions options(m_mod, *this, this);
        options.exec();
    });
}

void frmMain::pctDBHelp_Click() {
    frmHelp::showTopic(m_mod, this, 0);
}

void frmMain::pctHelp1_Click() {
    frmHelp::showTopic(m_mod, this, 1);
}

void frmMain::pctHelp2_Click() {
    frmHelp::showTopic(m_mod, this, 2);
}

void frmMain::pctHelp3_Click() {
    frmHelp::showTopic(m_mod, this, 3);
}

void frmMain::pctHelp4_Click() {
    frmHelp::showTopic(m_mod, this, 4);
}

void frmMain::pctResultsHelp_Click() {
    frmHelp::showTopic(m_mod, this, 5);
}
