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
#include <ostream>

namespace {

// What a help window showed before it was closed.
struct Seen {
    bool opened = false;
    QString text;
    QWidget* parent = nullptr;
};

// The window shows each line as a paragraph of its own.
QString shownText(int topic) {
    return HelpTopics::lines(topic).join(QLatin1Char('\n'));
}

// Clicks the icon and reads the help window that opens, closing it with its button.
Seen clickAndRead(HelpIcon* icon) {
    Seen seen;
    onNextModalOf<frmHelp>([&](frmHelp* help) {
        seen.opened = true;
        seen.text = help->txtHelp->toPlainText();
        seen.parent = help->parentWidget();
        help->btnClose->click();
    });
    QTest::mouseClick(icon, Qt::LeftButton, {}, QPoint(4, 4));
    return seen;
}

class HelpWindow : public MainWindowTest {
protected:
    // The icons show, and take clicks, in enabled frames only: as with a database open.
    frmMain& windowWithFramesEnabled() {
        frmMain& w = window();
        w.EnableDisableFrame(true, w.fraDatabase);
        w.EnableDisableControls(true);
        return w;
    }
};

TEST_F(HelpWindow, InitShowsEachLineOfTheTopicAsAParagraph) {
    frmHelp help(env.mod);
    help.Init(8);
    EXPECT_EQ(help.txtHelp->toPlainText(), shownText(8));
    EXPECT_EQ(help.txtHelp->document()->blockCount(), 2) << "each line a paragraph, no stray CR";
}

TEST_F(HelpWindow, AnUnknownTopicLeavesTheTextAsItWas) {
    frmHelp help(env.mod);
    help.Init(11);
    EXPECT_TRUE(help.txtHelp->toPlainText().isEmpty());
    help.Init(3);
    help.Init(-1);
    EXPECT_EQ(help.txtHelp->toPlainText(), shownText(3));
}

TEST_F(HelpWindow, TheFocusNeverStaysInTheText) {
    frmHelp help(env.mod);
    help.Init(1);
    help.show();
    QApplication::setActiveWindow(&help);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), help.btnClose);

    QTest::mouseClick(help.txtHelp->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(QApplication::focusWidget(), help.btnClose);
    EXPECT_FALSE(help.txtHelp->textCursor().hasSelection());
}

struct IconCase {
    const char* icon;
    int topic;
};

void PrintTo(const IconCase& c, std::ostream* os) {
    *os << c.icon;
}

class MainWindowHelpIcon : public HelpWindow, public ::testing::WithParamInterface<IconCase> {};

TEST_P(MainWindowHelpIcon, OpensItsTopicOverTheMainWindow) {
    frmMain& w = windowWithFramesEnabled();
    const Seen seen = clickAndRead(child<HelpIcon>(GetParam().icon));
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.text, shownText(GetParam().topic));
    EXPECT_EQ(seen.parent, &w);
}

INSTANTIATE_TEST_SUITE_P(Icons, MainWindowHelpIcon,
                         ::testing::Values(IconCase{"pctDBHelp", 0}, IconCase{"pctHelp1", 1},
                                           IconCase{"pctHelp2", 2}, IconCase{"pctHelp3", 3},
                                           IconCase{"pctHelp4", 4}, IconCase{"pctResultsHelp", 5}),
                         [](const ::testing::TestParamInfo<IconCase>& info) { return info.param.icon; });

TEST_F(HelpWindow, TwoIconsInARowShowOnlyTheirOwnTopics) {
    frmMain& w = windowWithFramesEnabled();
    EXPECT_EQ(clickAndRead(w.pctHelp4).text, shownText(4));
    EXPECT_EQ(clickAndRead(w.pctHelp1).text, shownText(1));
}

TEST_F(HelpWindow, OptionsDialogIconsOpenTopicsSixToTenOverTheDialog) {
    frmOptions options(env.mod, window(), &window());
    struct {
        HelpIcon* icon;
        int tab;
        int topic;
    } const icons[] = {{options.pctTab1Help, 0, 6},
                       {options.pctTab2aHelp, 1, 7},
                       {options.pctTab2bHelp, 1, 8},
                       {options.pctTab2cHelp, 1, 9},
                       {options.pctTab3Help, 2, 10}};
    for (const auto& [icon, tab, topic] : icons) {
        options.tabOptions->setCurrentIndex(tab);
        const Seen seen = clickAndRead(icon);
        ASSERT_TRUE(seen.opened) << topic;
        EXPECT_EQ(seen.text, shownText(topic)) << topic;
        EXPECT_EQ(seen.parent, &options) << topic;
    }
}

} // namespace
