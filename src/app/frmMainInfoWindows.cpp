// The menu entries that only open a window; errors in them are ignored.
#include "app/frmMain.h"

#include "common/modMain.h"
#include "diagnostics/frmLogError.h"
#include "diagnostics/frmStats.h"
#include "diagnostics/frmStatsWait.h"
#include "help/frmAbout.h"

#include <QApplication>

void frmMain::mnuLogError_Click() {
    modMain::skipOnError([&] {
        frmLogError window(m_mod, this);
        window.exec();
    });
}

void frmMain::mnuStats_Click() {
    modMain::skipOnError([&] {
        frmStatsWait wait(this);
        wait.show();
        // Painted before the work starts.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        frmStats window(m_mod, dbPath(), &wait, this);
        window.exec();
    });
}

void frmMain::mnuAbout_Click() {
    modMain::skipOnError([&] {
        frmAbout window(m_mod, this);
        window.exec();
    });
}
