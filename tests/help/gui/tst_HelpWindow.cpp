#include "app/gui/HelpIcon.h"
#include "app/gui/MainWindowFixture.h"
#include "help/HelpTopics.h"
#include "help/frmHelp.h"
#include "options/frmOptions.h"
#include "support/gui/ModalProbe.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

namespace {

// The window shows each line as a paragraph of its own.
QString shownText(int topic) {
    return HelpTopics::lines(topic).join(QLatin1Char('\n'));
}

// Clicks the icon and reads the help window that opens (its text and parent),
// closing it with its button.
std::pair<QString, QWidget*> clickAndRead(HelpIcon* icon) {
    std::pair<QString, QWidget*> seen;
    onNextModalOf<frmHelp>([&](frmHelp* help) {
        seen = {help->txtHelp->toPlainText(), help->parentWidget()};
        help->btnClose->click();
    });
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(4, 4));
    return seen;
}

using HelpWindow = MainWindowTest;

TEST_F(HelpWindow, ShowsEachLineAsAParagraphAndNeverKeepsTheFocusInTheText) {
    frmHelp help(env.mod);
    help.Init(8);
    EXPECT_EQ(help.txtHelp->toPlainText(), shownText(8));
    EXPECT_EQ(help.txtHelp->document()->blockCount(), 2) << "each line a paragraph, no stray CR";
    // An unknown topic leaves the text as it was.
    help.Init(11);
    help.Init(-1);
    EXPECT_EQ(help.txtHelp->toPlainText(), shownText(8));

    help.show();
    QApplication::setActiveWindow(&help);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), help.btnClose);

    QTest::mouseClick(help.txtHelp->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(QApplication::focusWidget(), help.btnClose);
    EXPECT_FALSE(help.txtHelp->textCursor().hasSelection());
}

// Clicked one after another, each icon shows its own topic over its own window.
TEST_F(HelpWindow, EachIconOpensItsTopicOverItsWindow) {
    frmMain& w = window();
    // The icons show, and take clicks, in enabled frames only: as with a database open.
    w.EnableDisableFrame(true, w.fraDatabase);
    w.EnableDisableControls(true);
    const char* mainIcons[] = {"pctDBHelp", "pctHelp1", "pctHelp2", "pctHelp3", "pctHelp4", "pctResultsHelp"};
    for (int topic = 0; topic < 6; ++topic) {
        EXPECT_EQ(clickAndRead(child<HelpIcon>(mainIcons[topic])),
                  std::make_pair(shownText(topic), static_cast<QWidget*>(&w)))
            << mainIcons[topic];
    }
    frmOptions options(env.mod, w, &w);
    // Icon, tab it is on, topic.
    const std::tuple<HelpIcon*, int, int> optionIcons[] = {{options.pctTab1Help, 0, 6},
                                                           {options.pctTab2aHelp, 1, 7},
                                                           {options.pctTab2bHelp, 1, 8},
                                                           {options.pctTab2cHelp, 1, 9},
                                                           {options.pctTab3Help, 2, 10}};
    for (const auto& [icon, tab, topic] : optionIcons) {
        options.tabOptions->setCurrentIndex(tab);
        EXPECT_EQ(clickAndRead(icon), std::make_pair(shownText(topic), static_cast<QWidget*>(&options)))
            << topic;
    }
}

} // namespace
