#include "diagnostics/gui/WidgetPrompts.h"
#include "support/gui/ModalProbe.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// What is on the screen when a box or dialog is asked for.
struct Scene {
    std::unique_ptr<QWidget> main;
    std::unique_ptr<QWidget> other; // another window of the program
    QPointer<QDialog> dialog;       // a modal dialog of the main window
};

struct OwnerCase {
    const char* name;
    bool giveMainWindow;
    std::function<void(Scene&)> setUp;
    // The expected parent, from the scene.
    std::function<QWidget*(Scene&)> owner;
    bool fileDialog;
};

void PrintTo(const OwnerCase& c, std::ostream* os) {
    *os << c.name;
}

QWidget* mainOf(Scene& s) {
    return s.main.get();
}

void noActiveWindow(Scene& s) {
    // As right after a file dialog or another box has closed.
    s.main->show();
    QApplication::setActiveWindow(nullptr);
}

void modalDialogOpen(Scene& s) {
    s.main->show();
    s.dialog = new QDialog(s.main.get());
    s.dialog->setModal(true);
    s.dialog->show();
    QApplication::setActiveWindow(s.dialog);
}

void otherWindowActive(Scene& s) {
    s.main->show();
    s.other = std::make_unique<QWidget>();
    s.other->show();
    QApplication::setActiveWindow(s.other.get());
}

const OwnerCase ownerCases[] = {
    {"main_window_when_no_window_is_active", true, noActiveWindow, mainOf, false},
    {"main_window_when_another_window_is_active", true, otherWindowActive, mainOf, false},
    {"the_modal_dialog_open_at_the_moment", true, modalDialogOpen,
     [](Scene& s) -> QWidget* { return s.dialog.data(); }, false},
    {"file_dialog_on_the_main_window", true, noActiveWindow, mainOf, true},
    {"without_a_main_window_the_active_window", false, otherWindowActive,
     [](Scene& s) -> QWidget* { return s.other.get(); }, false},
};

class BoxOwner : public ::testing::TestWithParam<OwnerCase> {};

TEST_P(BoxOwner, BelongsToTheWindowThatOpenedIt) {
    const OwnerCase& c = GetParam();
    Scene scene;
    scene.main = std::make_unique<QWidget>();
    c.setUp(scene);
    WidgetPrompts prompts(c.giveMainWindow ? scene.main.get() : nullptr);

    bool seen = false;
    QWidget* parent = nullptr;
    onNextModal([&](QWidget* modal) {
        seen = true;
        parent = modal->parentWidget();
        qobject_cast<QDialog*>(modal)->reject();
    });
    if (c.fileDialog) {
        FileDialogRequest request;
        request.title = "Otwórz";
        prompts.fileDialog(request);
    } else {
        prompts.messageBox(MsgStyle::Warning, "Literon 2.0", "tekst");
    }
    ASSERT_TRUE(seen);
    EXPECT_EQ(parent, c.owner(scene));
    delete scene.dialog;
}

INSTANTIATE_TEST_SUITE_P(Table, BoxOwner, ::testing::ValuesIn(ownerCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
