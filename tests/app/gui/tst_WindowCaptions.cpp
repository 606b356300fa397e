#include "MainWindowFixture.h"

#include <QLineEdit>

namespace {

class WindowCaptions : public MainWindowTest {};

TEST_F(WindowCaptions, PasswordShowsAStarPerCharacter) {
    frmMain& w = window();
    w.txtPassword->setText(QString::fromUtf8("hasło1"));
    EXPECT_EQ(w.txtPassword->displayText(), QString("******"));
    EXPECT_EQ(w.txtPassword->text(), QString::fromUtf8("hasło1"));
}

} // namespace
