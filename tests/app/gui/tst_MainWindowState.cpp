#include "MainWindowFixture.h"
#include "app/gui/HelpIcon.h"

#include <vector>

namespace {

using FrameState = MainWindowTest;

// The rack frame: the controls the procedure switches, the rack fields whose
// background follows (in the rack colour when enabled), its help icon, and no
// other frame.
TEST_F(FrameState, DisablingAndEnablingTheRackFrameSwitchesControlsColoursAndHelpIcon) {
    frmMain& w = window();
    w.scrSearch3->setValue(4);
    for (QGroupBox* f : w.findChildren<QGroupBox*>())
        w.EnableDisableFrame(true, f);
    const std::vector<const char*> rack{"U_0", "U_1", "U_2", "U_3"};
    std::vector<const char*> controls{"chkSearch3", "scrSearch3", "btnSearch3", "btnClear3"};
    controls.insert(controls.end(), rack.begin(), rack.end());
    auto* help = child<HelpIcon>("pctHelp3");
    for (bool enable : {false, true}) {
        w.EnableDisableFrame(enable, w.fraSearch3);
        EXPECT_EQ(w.fraSearch3->isEnabled(), enable);
        EXPECT_EQ(help->isHidden(), !enable);
        for (const char* name : controls) {
            QWidget* control = child<QWidget>(name);
            EXPECT_TRUE(enable ? control->isEnabled() : control->testAttribute(Qt::WA_ForceDisabled)) << name;
        }
        for (const char* name : rack)
            EXPECT_EQ(child<QWidget>(name)->palette().color(QPalette::Base),
                      enable ? frmMain::rackColour() : frmMain::buttonFaceColour())
                << name;
    }
    for (QGroupBox* other : w.findChildren<QGroupBox*>())
        EXPECT_TRUE(other->isEnabled()) << other->objectName().toStdString();
}

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
        EXPECT_EQ(QStringList({w.panelText(1), w.panelText(3), w.panelText(4)}), QStringList({"", "x3", ""}));
    }
}

} // namespace
