#include "diagnostics/gui/LinkLabel.h"
#include "help/AboutInfo.h"
#include "help/frmAbout.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_locale = QLocale();
        QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    }
    void TearDown() override { QLocale::setDefault(m_locale); }

    TestEnvironment env;

private:
    QLocale m_locale;
};

TEST_F(AboutWindow, ShowsVersionFileDateAuthorAndAddressesAndOpensThemThroughTheShell) {
    QFile exe(AboutInfo::executablePath(env.platform.programFolder()));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    ASSERT_TRUE(
        exe.setFileTime(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)), QFileDevice::FileModificationTime));
    exe.close();

    frmAbout w(env.mod);
    EXPECT_EQ((QStringList{w.labAnswer0->text(), w.labAnswer1->text(), w.labAnswer2->text(),
                           w.labAnswer3->text(), w.labAnswer4->text()}),
              (QStringList{"2.0.4", "7.03.2026 09:05:03", "Zespół Literon", AboutInfo::webAddress(),
                           AboutInfo::emailAddress()}));

    // A shell result of 32 or less is a failure.
    const struct {
        LinkLabel* link;
        int result;
        QString address;
        QStringList warnings;
    } rows[] = {
        {w.labAnswer3, 32, AboutInfo::webAddress(), {"Nie udało się uruchomić domyślnej przeglądarki."}},
        {w.labAnswer4,
         32,
         "mailto:" + AboutInfo::emailAddress(),
         {"Nie udało się uruchomić domyślnego klienta poczty."}},
        {w.labAnswer4, 33, "mailto:" + AboutInfo::emailAddress(), {}},
    };
    for (const auto& row : rows) {
        env.platform.opened.clear();
        env.prompts.clear();
        env.platform.shellResult = row.result;
        emit row.link->clicked();
        EXPECT_EQ(env.platform.opened, QStringList{row.address}) << row.result;
        EXPECT_EQ(env.prompts.texts(), row.warnings) << row.result;
    }
}

} // namespace
