#include "common/ErrorLog.h"
#include "db/AppError.h"
#include "diagnostics/LogFile.h"
#include "diagnostics/LogSort.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QDateTime When(QDate(2026, 3, 7), QTime(9, 5, 3));

struct LineCase {
    const char* name;
    QByteArray bytes; // one line as stored, Windows-1250, without its line end
    LogRow expected;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.name;
}

QByteArray written(const QString& place, qint32 number, const QString& description) {
    return ErrorLog::toWindows1250(ErrorLog::formatLine(When, place, number, description));
}

const QString Place60 = QStringLiteral("frmMain: ") + QString(51, QLatin1Char('x'));

std::string cells(const LogRow& row) {
    return QStringList{row.when, row.place, row.number, row.description}.join(QLatin1Char('|')).toStdString();
}

class LogLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(LogLines, AreCutByCharacterPosition) {
    const LineCase& c = GetParam();
    const QList<LogRow> rows = LogFile::parse(c.bytes + "\r\n");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(cells(rows[0]), cells(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LogLines,
    ::testing::Values(LineCase{"EmptyDescriptionGivesExactly87Characters",
                               written("frmMain: DBError", 13, QString()),
                               {"2026-03-07 09:05:03", "frmMain: DBError", "13", ""}},
                      LineCase{"PlaceLongerThan50IsShownCut",
                               written(Place60, -2147217865, "Brak tabeli"),
                               {"2026-03-07 09:05:03", Place60.left(50), "-2147217865", "Brak tabeli"}},
                      LineCase{
                          "PolishLettersInWindows1250",
                          written("frmMain: btnSearch4_Click", 3075, "Błąd składni w zapytaniu: ŻÓŁĆ źdźbło"),
                          {"2026-03-07 09:05:03", "frmMain: btnSearch4_Click", "3075",
                           "Błąd składni w zapytaniu: ŻÓŁĆ źdźbło"}},
                      LineCase{"ShortLineShowsWhatThereIs",
                               "2026-03-07 09:05:03 frmMain: Stary   7",
                               {"2026-03-07 09:05:03", "frmMain: Stary   7", "", ""}},
                      LineCase{"LineEndingInsideTheNumber",
                               QByteArray("2026-03-07 09:05:03 ") + QByteArray(50, 'p') + " 12",
                               {"2026-03-07 09:05:03", QString(50, QLatin1Char('p')), "12", ""}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(LogFile, ReadsEveryLineInFileOrderPastAShortOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("error.log"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(written("frmMain: A", 1, "pierwszy") + "\r\n" + ErrorLog::toWindows1250("krótka") +
               "\r\n\r\n" + written("frmMain: B", 2, "ostatni") + "\r\n");
    file.close();

    const QList<LogRow> rows = LogFile::read(path);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].description, QStringLiteral("pierwszy"));
    EXPECT_EQ(rows[1].when, QStringLiteral("krótka"));
    EXPECT_EQ(rows[2].place, QStringLiteral("frmMain: B"));

    // Read and closed: the writer can append right away, and the next read sees it.
    ErrorLog::append(path,
                     ErrorLog::formatLine(When, QStringLiteral("frmMain: C"), 3, QStringLiteral("nowy")));
    EXPECT_EQ(LogFile::read(path).size(), 4);
}

struct SortCase {
    const char* name;
    std::vector<int> clicks;
    QStringList expected; // the clicked column's cells, top to bottom
};

void PrintTo(const SortCase& c, std::ostream* os) {
    *os << c.name;
}

class LogSorting : public ::testing::TestWithParam<SortCase> {};

TEST_P(LogSorting, FlipsOnEveryClickAndComparesAsText) {
    QList<LogRow> rows{
        {"2026-03-07 09:05:03", "frmMain: Łódź", "5", "b"},
        {"2025-12-31 23:59:59", "frmMain: Lato", "13", "a"},
        {"2026-03-07 10:00:00", "frmMain: lampa", "-1", "c"},
        {"2026-01-15 08:00:00", "frmMain: Zebra", "5", "a"},
    };
    LogSort sort;
    for (int column : GetParam().clicks)
        sort.click(column, rows);
    QStringList cells;
    for (const LogRow& row : rows)
        cells << row.cell(GetParam().clicks.back());
    EXPECT_EQ(cells.join(QLatin1Char('|')).toStdString(),
              GetParam().expected.join(QLatin1Char('|')).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LogSorting,
    ::testing::Values(SortCase{"AnotherColumnAfterOneClickIsAscending", {0, 2}, {"-1", "13", "5", "5"}},
                      SortCase{"PlacesInPolishOrderIgnoringCase",
                               {3, 1},
                               {"frmMain: lampa", "frmMain: Lato", "frmMain: Łódź", "frmMain: Zebra"}}),
    [](const ::testing::TestParamInfo<SortCase>& info) { return std::string(info.param.name); });

} // namespace
