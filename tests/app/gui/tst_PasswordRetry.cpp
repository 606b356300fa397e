// A database refused only for its password, opened with no database before:
// the password box and the test button must be usable, or it could never be typed.
#include "MainWindowFixture.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

class PasswordRetry : public MainWindowTest {
protected:
    void open(const QString& path) {
        env.prompts.queueFile(path, false);
        window().mnuOpen->trigger();
    }
};

TEST_F(PasswordRetry, APasswordFailureLeavesThePasswordUsable) {
    const TestDictionary dict({"KOT"}, {}, "tajne");
    frmMain& w = window();
    ASSERT_FALSE(w.txtPassword->isEnabled());
    open(dict.path());
    EXPECT_EQ(env.prompts.texts().size(), 1);
    EXPECT_TRUE(w.txtPassword->isEnabled());
    EXPECT_TRUE(w.cmdDBTest->isEnabled());
    EXPECT_FALSE(w.fraSearch1->isEnabled());
}

TEST_F(PasswordRetry, OtherFailuresKeepTheFrameDisabled) {
    const TestDictionary dict;
    const QString garbage = dict.folder() + "/smieci.mdb";
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    frmMain& w = window();
    open(garbage);
    EXPECT_EQ(env.prompts.texts().size(), 1);
    EXPECT_FALSE(w.txtPassword->isEnabled());
    EXPECT_FALSE(w.cmdDBTest->isEnabled());
}

} // namespace
