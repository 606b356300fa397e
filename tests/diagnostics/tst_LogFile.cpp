#include "common/ErrorLog.h"
#include "diagnostics/LogFile.h"
#include "diagnostics/LogSort.h"
#include "support/Printing.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {

QByteArray written(const QString& place, qint32 number, const QString& description) {
    return ErrorLog::toWindows1250(
        ErrorLog::formatLine(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)), place, number, description));
}

QStringList cells(const LogRow& row) {
    return {row.when, row.place, row.number, row.description};
}

// Every line in file order, cut by character position; empty lines are
// skipped and the last line may lack its line end.
TEST(LogFile, TakesEveryLineCutByCharacterPosition) {
    const struct {
        const char* name;
        QByteArray bytes; // one line as stored, Windows-1250, without its line end
        QStringList expected;
    } rows[] = {
        {"empty description: exactly 87 characters",
         written("frmMain: DBError", 13, QString()),
         {"2026-03-07 09:05:03", "frmMain: DBError", "13", ""}},
        {"Polish letters in Windows-1250",
         written("frmMain: btnSearch4_Click", 3075, "Błąd składni w zapytaniu: ŻÓŁĆ źdźbło"),
         {"2026-03-07 09:05:03", "frmMain: btnSearch4_Click", "3075",
          "Błąd składni w zapytaniu: ŻÓŁĆ źdźbło"}},
        {"short line shows what there is",
         "2026-03-07 09:05:03 frmMain: Stary   7",
         {"2026-03-07 09:05:03", "frmMain: Stary   7", "", ""}},
        {"line ending inside the number",
         QByteArray("2026-03-07 09:05:03 ") + QByteArray(50, 'p') + " 12",
         {"2026-03-07 09:05:03", QString(50, QLatin1Char('p')), "12", ""}},
        {"shorter than the date", ErrorLog::toWindows1250("krótka"), {"krótka", "", "", ""}},
    };
    QByteArrayList lines;
    for (const auto& row : rows)
        lines << row.bytes;
    const QList<LogRow> read = LogFile::parse(lines.join("\r\n\r\n"));
    ASSERT_EQ(read.size(), std::size(rows));
    for (qsizetype i = 0; i < read.size(); ++i)
        EXPECT_EQ(cells(read[i]), rows[i].expected) << rows[i].name;
}

// The order flips on every click, whichever column; cells compare as Polish text.
TEST(LogSort, FlipsOnEveryClickAndComparesAsText) {
    const struct {
        const char* name;
        std::vector<int> clicks;
        QStringList expected; // the last clicked column's cells, top to bottom
    } rows[] = {
        {"another column after one click is ascending", {0, 2}, {"-1", "13", "5", "5"}},
        {"places in Polish order ignoring case",
         {3, 1},
         {"frmMain: lampa", "frmMain: Lato", "frmMain: Łódź", "frmMain: Zebra"}},
    };
    for (const auto& row : rows) {
        QList<LogRow> log{
            {"2026-03-07 09:05:03", "frmMain: Łódź", "5", "b"},
            {"2025-12-31 23:59:59", "frmMain: Lato", "13", "a"},
            {"2026-03-07 10:00:00", "frmMain: lampa", "-1", "c"},
            {"2026-01-15 08:00:00", "frmMain: Zebra", "5", "a"},
        };
        LogSort sort;
        for (int column : row.clicks)
            sort.click(column, log);
        QStringList shown;
        for (const LogRow& entry : log)
            shown << entry.cell(row.clicks.back());
        EXPECT_EQ(shown, row.expected) << row.name;
    }
}

} // namespace
