#include "MainWindowFixture.h"
#include "diagnostics/frmStats.h"
#include "support/TestDictionary.h"
#include "support/gui/ModalProbe.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

class InfoMenus : public MainWindowTest {};

// Acts on the statistics window once it is the modal one; the waiting window
// is modal before it and must be left alone.
void onStatsWindow(std::function<void(frmStats*)> act, int attempts = 500) {
    QTimer::singleShot(10, [act = std::move(act), attempts]() mutable {
        if (auto* stats = qobject_cast<frmStats*>(QApplication::activeModalWidget()))
            act(stats);
        else if (attempts > 0)
            onStatsWindow(std::move(act), attempts - 1);
    });
}

TEST_F(InfoMenus, LogAndAboutEntriesOpenTheirWindows) {
    QStringList titles;
    for (QAction* entry : {window().mnuLogError, window().mnuAbout}) {
        onNextModal([&](QWidget* modal) {
            titles << modal->windowTitle();
            static_cast<QDialog*>(modal)->reject();
        });
        entry->trigger();
    }
    EXPECT_EQ(titles, (QStringList{"Log błędów", "O programie..."}));
}

// The entry opens the waiting window, then the statistics over it.
TEST_F(InfoMenus, StatisticsOfTheOpenDatabase) {
    TestDictionary dict({"KOT", "PIES"}, {{1, "zwierzę"}});
    frmMain& w = window();
    env.prompts.queueFile(dict.path());
    w.mnuOpen->trigger();
    QString words;
    bool waitGone = false;
    onStatsWindow([&](frmStats* dialog) {
        words = dialog->labAnswer[0]->text();
        const QWidgetList tops = QApplication::topLevelWidgets();
        waitGone = std::none_of(tops.cbegin(), tops.cend(), [](QWidget* top) {
            return top->objectName() == QLatin1String("frmStatsWait") && top->isVisible();
        });
        dialog->btnClose->click();
    });
    w.mnuStats->trigger();
    EXPECT_EQ(words, QStringLiteral("2 "));
    EXPECT_TRUE(waitGone);
}

} // namespace
