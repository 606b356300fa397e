#include "MainWindowFixture.h"
#include "app/gui/HelpIcon.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

namespace {

QColor base(QWidget* w) {
    return w->palette().color(QPalette::Base);
}

// Each frame with the controls the procedure switches, those whose background
// follows, and its help icon.
struct FrameCase {
    const char* frame;
    std::vector<const char*> controls;
    std::vector<const char*> backgrounds;
    const char* help;
    bool rack;
};

void PrintTo(const FrameCase& c, std::ostream* os) {
    *os << c.frame;
}

class FrameSwitch : public MainWindowTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(FrameSwitch, DisablingAndEnablingSwitchesControlsColoursAndHelpIcon) {
    const FrameCase& c = GetParam();
    frmMain& w = window();
    w.scrSearch1->setValue(5);
    w.scrSearch3->setValue(4);
    // Start from everything enabled.
    for (QWidget* f : {w.fraDatabase, w.fraSearch1, w.fraSearch2, w.fraSearch3, w.fraSearch4, w.fraResults})
        w.EnableDisableFrame(true, f);
    auto* frame = child<QGroupBox>(c.frame);
    auto* help = child<HelpIcon>(c.help);
    const QColor active = c.rack ? frmMain::rackColour() : frmMain::windowColour();

    w.EnableDisableFrame(false, frame);
    EXPECT_FALSE(frame->isEnabled());
    EXPECT_TRUE(help->isHidden());
    for (const char* name : c.controls)
        EXPECT_TRUE(child<QWidget>(name)->testAttribute(Qt::WA_ForceDisabled)) << name;
    for (const char* name : c.backgrounds)
        EXPECT_EQ(base(child<QWidget>(name)), frmMain::buttonFaceColour()) << name;

    w.EnableDisableFrame(true, frame);
    EXPECT_TRUE(frame->isEnabled());
    EXPECT_FALSE(help->isHidden());
    for (const char* name : c.controls)
        EXPECT_TRUE(child<QWidget>(name)->isEnabled()) << name;
    for (const char* name : c.backgrounds)
        EXPECT_EQ(base(child<QWidget>(name)), active) << name;
    // The other frames were not touched.
    for (QGroupBox* other : w.findChildren<QGroupBox*>())
        EXPECT_TRUE(other->isEnabled()) << other->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Frames, FrameSwitch,
                         ::testing::Values(FrameCase{"fraSearch3",
                                                     {"U_0", "U_1", "U_2", "U_3", "chkSearch3", "scrSearch3",
                                                      "btnSearch3", "btnClear3"},
                                                     {"U_0", "U_1", "U_2", "U_3"},
                                                     "pctHelp3",
                                                     true}),
                         [](const auto& info) { return std::string(info.param.frame); });

using FrameState = MainWindowTest;

TEST_F(FrameState, EnableDisableControlsSwitchesSearchAndResultsAndAlwaysEmptiesPanelsOneAndFour) {
    frmMain& w = window();
    for (bool enable : {true, false, true}) {
        for (int panel : {1, 3, 4})
            w.setPanelText(panel, QStringLiteral("x%1").arg(panel));
        w.EnableDisableFrame(!enable, w.fraDatabase);
        w.EnableDisableControls(enable);
        for (QGroupBox* f : {w.fraSearch1, w.fraResults})
            EXPECT_EQ(f->isEnabled(), enable) << f->objectName().toStdString();
        EXPECT_EQ(w.fraDatabase->isEnabled(), !enable);
        EXPECT_EQ(w.panelText(1), QString());
        EXPECT_EQ(w.panelText(3), QString("x3"));
        EXPECT_EQ(w.panelText(4), QString());
    }
}

} // namespace
