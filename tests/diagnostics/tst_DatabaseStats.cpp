#include "diagnostics/DatabaseStats.h"
#include "support/TestDictionary.h"
#include "support/TestPlatform.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QLocale Polish(QLocale::Polish, QLocale::Poland);

struct CountCase {
    const char* name;
    int words;
    int descriptions;
    QString ratio;
};

void PrintTo(const CountCase& c, std::ostream* os) {
    *os << c.name;
}

TestDictionary dictionaryOf(int words, int descriptions) {
    QStringList list;
    for (int i = 0; i < words; ++i)
        list << QStringLiteral("WYRAZ") + QString(QChar(u'A' + i));
    QList<QPair<int, QString>> opisy;
    for (int i = 0; i < descriptions; ++i)
        opisy.append({1, QStringLiteral("opis %1").arg(i)});
    return TestDictionary(list, opisy);
}

DatabaseStats::Result statsOf(const TestDictionary& dict, const TestPlatform& platform, const QString& path) {
    return DatabaseStats::run({dict.connectionString(true), 30, path}, platform, Polish);
}

class StatsCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(StatsCounts, CountsAndDescriptionsPerWord) {
    const CountCase& c = GetParam();
    // Words without descriptions are allowed to lack them; descriptions all hang on word 1.
    TestDictionary dict = dictionaryOf(c.words, c.descriptions);
    TestPlatform platform;
    const DatabaseStats::Result result = statsOf(dict, platform, dict.path());
    ASSERT_FALSE(result.error) << result.error->description().toStdString();
    EXPECT_EQ(result.texts[DatabaseStats::Words], QString::number(c.words) + QLatin1Char(' '));
    EXPECT_EQ(result.texts[DatabaseStats::Descriptions], QString::number(c.descriptions) + QLatin1Char(' '));
    EXPECT_EQ(result.texts[DatabaseStats::Ratio].toStdString(), c.ratio.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Table, StatsCounts,
                         ::testing::Values(CountCase{"EmptyDictionary", 0, 0, "- "},
                                           CountCase{"WordsWithoutDescriptions", 3, 0, "0 "},
                                           CountCase{"OneForEight", 8, 1, "0,125 "},
                                           CountCase{"ExactHalfAtTheFifthPlace", 32, 1, "0,0312 "},
                                           CountCase{"WholeNumber", 2, 4, "2 "}),
                         [](const ::testing::TestParamInfo<CountCase>& info) {
                             return std::string(info.param.name);
                         });

struct NumberCase {
    const char* name;
    qint64 start;
    qint64 end;
    QLocale locale;
    QString seconds;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.name;
}

class StatsSeconds : public ::testing::TestWithParam<NumberCase> {};

TEST_P(StatsSeconds, ElapsedTicksInSecondsToThreePlaces) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(DatabaseStats::secondsText(c.start, c.end, c.locale).toStdString(), c.seconds.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Table, StatsSeconds,
    ::testing::Values(NumberCase{"CommaSeparator", 1000, 2234, Polish, "1,234 "},
                      NumberCase{"PointSeparator", 1000, 2234, QLocale::c(), "1.234 "},
                      NumberCase{"NoGroupingOfThousands", 0, 1234567, Polish, "1234,567 "},
                      NumberCase{"CounterWrappedPastSigned32", 2147483000, 2147484000, Polish, "1 "},
                      NumberCase{"CounterWrappedPastUnsigned32", 4294967040LL, 4294967296LL + 256, Polish,
                                 "0,512 "}),
    [](const ::testing::TestParamInfo<NumberCase>& info) { return std::string(info.param.name); });

TEST(DatabaseStats, FileDateAndTimeTakenFromTheClock) {
    TestDictionary dict = dictionaryOf(2, 1);
    const QDateTime stamp(QDate(2026, 3, 7), QTime(9, 5, 3));
    {
        QFile file(dict.path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    TestPlatform platform;
    const DatabaseStats::Result result =
        statsOf(dict, platform, QStringLiteral("  ") + dict.path() + QLatin1Char(' '));
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.texts[DatabaseStats::Modified], QStringLiteral("7.03.2026 09:05:03 "));
    EXPECT_EQ(result.texts[DatabaseStats::Seconds], QStringLiteral("0 "));
}

} // namespace
