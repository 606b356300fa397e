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

TEST_F(AboutWindow, ShowsVersionFileDateAuthorAndAddresses) {
    QFile exe(AboutInfo::executablePath(env.platform.programFolder()));
    ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
    ASSERT_TRUE(
        exe.setFileTime(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)), QFileDevice::FileModificationTime));
    exe.close();

    frmAbout w(env.mod);
    EXPECT_EQ(w.labAnswer0->text(), QStringLiteral("2.0.4"));
    EXPECT_EQ(w.labAnswer1->text(), QStringLiteral("7.03.2026 09:05:03"));
    EXPECT_EQ(w.labAnswer2->text(), QStringLiteral("Zespół Literon"));
    EXPECT_EQ(w.labAnswer3->text(), AboutInfo::webAddress());
    EXPECT_EQ(w.labAnswer4->text(), AboutInfo::emailAddress());
}

struct LinkCase {
    const char* name;
    bool web; // labAnswer3, else labAnswer4
    int result;
    QString warning; // empty: none
};

void PrintTo(const LinkCase& c, std::ostream* os) {
    *os << c.name;
}

class AboutLinks : public AboutWindow, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(AboutLinks, OpenThroughTheShellAndWarnOnFailure) {
    const LinkCase& c = GetParam();
    env.platform.shellResult = c.result;
    frmAbout w(env.mod);
    emit(c.web ? w.labAnswer3 : w.labAnswer4)->clicked();
    ASSERT_EQ(env.platform.opened.size(), 1);
    EXPECT_EQ(env.platform.opened[0],
              c.web ? AboutInfo::webAddress() : QStringLiteral("mailto:") + AboutInfo::emailAddress());
    EXPECT_EQ(env.prompts.texts(), c.warning.isEmpty() ? QStringList() : QStringList{c.warning});
}

const QString NoBrowser = QStringLiteral("Nie udało się uruchomić domyślnej przeglądarki.");
const QString NoMail = QStringLiteral("Nie udało się uruchomić domyślnego klienta poczty.");

INSTANTIATE_TEST_SUITE_P(Table, AboutLinks,
                         ::testing::Values(LinkCase{"Web32Fails", true, 32, NoBrowser},
                                           LinkCase{"Mail32Fails", false, 32, NoMail},
                                           LinkCase{"Mail33Opens", false, 33, {}}),
                         [](const ::testing::TestParamInfo<LinkCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
