#include "common/ErrorLog.h"
#include "diagnostics/frmLogError.h"
#include "diagnostics/gui/LinkLabel.h"
#include "help/AboutInfo.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class LogViewer : public ::testing::Test {
protected:
    void writeLog(const QList<QStringList>& entries) {
        QFile file(env.platform.logPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QStringList& e : entries)
            file.write(ErrorLog::toWindows1250(ErrorLog::formatLine(QDateTime::fromString(e[0], Qt::ISODate),
                                                                    e[1], e[2].toInt(), e[3])) +
                       "\r\n");
    }
    static QStringList column(const frmLogError& w, int c) {
        QStringList cells;
        for (int i = 0; i < w.lvLogError->topLevelItemCount(); ++i)
            cells << w.lvLogError->topLevelItem(i)->text(c);
        return cells;
    }
    static QStringList headers(const frmLogError& w) {
        QStringList texts;
        for (int c = 0; c < w.lvLogError->columnCount(); ++c)
            texts << w.lvLogError->headerItem()->text(c);
        return texts;
    }

    TestEnvironment env;
};

TEST_F(LogViewer, ShowsTheLogInFileOrderWithNothingSelected) {
    writeLog({{"2026-03-07T09:05:03", "frmMain: btnSearch4_Click", "3075", "Błąd składni: źdźbło ŻÓŁW"},
              {"2026-01-02T10:00:00", "frmStats: LoadStats", "-2147217865", "  brak tabeli"}});
    frmLogError w(env.mod);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Log błędów"));
    EXPECT_EQ(headers(w),
              (QStringList{"Data i godzina", "Miejsce wystąpienia", "Numer błędu", "Opis błędu"}));
    EXPECT_EQ(column(w, 0), (QStringList{"2026-03-07 09:05:03", "2026-01-02 10:00:00"}));
    EXPECT_EQ(column(w, 1), (QStringList{"frmMain: btnSearch4_Click", "frmStats: LoadStats"}));
    EXPECT_EQ(column(w, 2), (QStringList{"3075", "-2147217865"}));
    EXPECT_EQ(column(w, 3), (QStringList{"Błąd składni: źdźbło ŻÓŁW", "  brak tabeli"}));
    EXPECT_TRUE(w.lvLogError->selectedItems().isEmpty());
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

TEST_F(LogViewer, HeaderClicksFlipTheOrderWhicheverColumn) {
    writeLog({{"2026-03-07T09:05:03", "frmMain: A", "5", "x"},
              {"2026-01-02T10:00:00", "frmMain: B", "13", "y"},
              {"2026-02-01T10:00:00", "frmMain: C", "7", "z"}});
    frmLogError w(env.mod);
    QHeaderView* header = w.lvLogError->header();
    emit header->sectionClicked(2);
    EXPECT_EQ(column(w, 2), (QStringList{"7", "5", "13"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    emit header->sectionClicked(0);
    EXPECT_EQ(column(w, 0),
              (QStringList{"2026-01-02 10:00:00", "2026-02-01 10:00:00", "2026-03-07 09:05:03"}));
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(column(w, 3), (QStringList{"y", "z", "x"})); // whole rows move
}

TEST_F(LogViewer, WithoutALogFileTheListIsEmptyAndTheLinkSaysSo) {
    frmLogError w(env.mod);
    EXPECT_EQ(w.lvLogError->topLevelItemCount(), 0);
    EXPECT_EQ(headers(w).size(), 4);
    EXPECT_TRUE(env.prompts.shown.isEmpty());
    emit w.labSendLog->clicked();
    ASSERT_EQ(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Info);
    EXPECT_EQ(env.prompts.shown[0].text, QStringLiteral("Plik logu nie istnieje."));
    EXPECT_TRUE(env.platform.opened.isEmpty());
}

struct ShellCase {
    const char* name;
    int result;
    bool warned;
};

void PrintTo(const ShellCase& c, std::ostream* os) {
    *os << c.name;
}

class SendLog : public LogViewer, public ::testing::WithParamInterface<ShellCase> {};

TEST_P(SendLog, HandsTheMailtoAddressToTheShell) {
    writeLog({{"2026-03-07T09:05:03", "frmMain: A", "5", "x"}});
    env.platform.shellResult = GetParam().result;
    frmLogError w(env.mod);
    emit w.labSendLog->clicked();
    ASSERT_EQ(env.platform.opened.size(), 1);
    EXPECT_EQ(env.platform.opened[0],
              QStringLiteral("mailto:") + AboutInfo::emailAddress() +
                  QStringLiteral("?subject=Log Błędów&body=Proszę wstawić załącznik:%0D%0A") +
                  QDir::toNativeSeparators(env.platform.logPath()));
    if (GetParam().warned) {
        ASSERT_EQ(env.prompts.shown.size(), 1);
        EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Warning);
        EXPECT_EQ(env.prompts.shown[0].text,
                  QStringLiteral("Nie udało się uruchomić domyślnego klienta poczty."));
    } else {
        EXPECT_TRUE(env.prompts.shown.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SendLog,
                         ::testing::Values(ShellCase{"Result32Fails", 32, true},
                                           ShellCase{"Result33Starts", 33, false},
                                           ShellCase{"Result0Fails", 0, true}),
                         [](const ::testing::TestParamInfo<ShellCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(LogViewer, AnUnreadableLogIsReported) {
    // A folder where the file should be: it exists but cannot be read as a file.
    ASSERT_TRUE(QDir().mkpath(env.platform.logPath()));
    env.mod.settings.LogErrors = true;
    frmLogError w(env.mod);
    EXPECT_EQ(w.lvLogError->topLevelItemCount(), 0);
    ASSERT_GE(env.prompts.shown.size(), 1);
    EXPECT_EQ(env.prompts.shown[0].style, MsgStyle::Error);
    EXPECT_TRUE(env.prompts.shown[0].text.startsWith(QStringLiteral("Wystąpił błąd numer (")));
}

} // namespace
