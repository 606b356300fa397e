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
    // Each entry: ISO date and time, place, number, description.
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
    TestEnvironment env;
};

TEST_F(LogViewer, ShowsTheLogInFileOrderAndAHeaderClickSortsWholeRows) {
    writeLog({{"2026-03-07T09:05:03", "frmMain: btnSearch4_Click", "3075", "Błąd składni: źdźbło ŻÓŁW"},
              {"2026-01-02T10:00:00", "frmStats: LoadStats", "-2147217865", "  brak tabeli"}});
    frmLogError w(env.mod);
    EXPECT_EQ(column(w, 0) + column(w, 1) + column(w, 2) + column(w, 3),
              (QStringList{"2026-03-07 09:05:03", "2026-01-02 10:00:00", "frmMain: btnSearch4_Click",
                           "frmStats: LoadStats", "3075", "-2147217865", "Błąd składni: źdźbło ŻÓŁW",
                           "  brak tabeli"}));
    EXPECT_TRUE(w.lvLogError->selectedItems().isEmpty());

    // The first click sorts descending.
    emit w.lvLogError->header()->sectionClicked(1);
    EXPECT_EQ(column(w, 3), (QStringList{"  brak tabeli", "Błąd składni: źdźbło ŻÓŁW"}));
    EXPECT_EQ(w.lvLogError->header()->sortIndicatorSection(), 1);
    EXPECT_EQ(w.lvLogError->header()->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(LogViewer, WithoutALogFileTheListIsEmptyAndTheLinkSaysSo) {
    frmLogError w(env.mod);
    EXPECT_EQ(w.lvLogError->topLevelItemCount(), 0);
    emit w.labSendLog->clicked();
    EXPECT_EQ(env.prompts.texts(), QStringList{"Plik logu nie istnieje."});
    EXPECT_TRUE(env.platform.opened.isEmpty());
}

// A shell result of 32 or less is a failure.
TEST_F(LogViewer, SendLogHandsTheMailtoAddressToTheShellAndWarnsOnFailure) {
    writeLog({{"2026-03-07T09:05:03", "frmMain: A", "5", "x"}});
    env.platform.shellResult = 32;
    frmLogError w(env.mod);
    emit w.labSendLog->clicked();
    EXPECT_EQ(env.platform.opened,
              QStringList{QStringLiteral("mailto:") + AboutInfo::emailAddress() +
                          QStringLiteral("?subject=Log Błędów&body=Proszę wstawić załącznik:%0D%0A") +
                          QDir::toNativeSeparators(env.platform.logPath())});
    EXPECT_EQ(env.prompts.texts(), QStringList{"Nie udało się uruchomić domyślnego klienta poczty."});
}

} // namespace
