#include "diagnostics/DatabaseStats.h"
#include "support/TestDictionary.h"
#include "support/TestPlatform.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

const QLocale Polish(QLocale::Polish, QLocale::Poland);

TestDictionary dictionaryOf(int words, int descriptions) {
    QStringList list;
    for (int i = 0; i < words; ++i)
        list << QStringLiteral("WYRAZ") + QString(QChar(u'A' + i));
    QList<QPair<int, QString>> opisy;
    for (int i = 0; i < descriptions; ++i)
        opisy.append({1, QStringLiteral("opis %1").arg(i)});
    return TestDictionary(list, opisy);
}

// Descriptions all hang on word 1; the others may lack them. The path comes
// with blanks around it and names a file of a known modification time.
TEST(DatabaseStats, CountsRatioAndFileDate) {
    const struct {
        const char* name;
        int words;
        int descriptions;
        const char* ratio;
    } rows[] = {
        {"empty", 0, 0, "- "}, {"half at the fifth place, to even", 32, 1, "0,0312 "}, {"whole", 2, 4, "2 "}};
    for (const auto& row : rows) {
        TestDictionary dict = dictionaryOf(row.words, row.descriptions);
        {
            QFile file(dict.path());
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2026, 3, 7), QTime(9, 5, 3)),
                                         QFileDevice::FileModificationTime));
        }
        TestPlatform platform;
        const DatabaseStats::Result result = DatabaseStats::run(
            {dict.connectionString(true), 30, QStringLiteral("  ") + dict.path() + QLatin1Char(' ')},
            platform, Polish);
        ASSERT_FALSE(result.error) << row.name << ": " << result.error->description().toStdString();
        EXPECT_EQ(result.texts[DatabaseStats::Words], QString::number(row.words) + QLatin1Char(' '))
            << row.name;
        EXPECT_EQ(result.texts[DatabaseStats::Descriptions],
                  QString::number(row.descriptions) + QLatin1Char(' '))
            << row.name;
        EXPECT_EQ(result.texts[DatabaseStats::Ratio], QString::fromUtf8(row.ratio)) << row.name;
        EXPECT_EQ(result.texts[DatabaseStats::Modified], QStringLiteral("7.03.2026 09:05:03 ")) << row.name;
    }
}

// Tick readings are 32-bit and wrap: the end reading may lie below the start.
TEST(DatabaseStats, ElapsedTicksInSecondsToThreePlaces) {
    const struct {
        const char* name;
        qint64 start;
        qint64 end;
        QLocale locale;
        const char* seconds;
    } rows[] = {
        {"point separator", 1000, 2234, QLocale::c(), "1.234 "},
        {"comma, no grouping of thousands", 0, 1234567, Polish, "1234,567 "},
        {"wrapped past signed 32", 2147483000, -2147483296, Polish, "1 "},
        {"wrapped past unsigned 32", 4294967040LL, 256, Polish, "0,512 "},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DatabaseStats::secondsText(row.start, row.end, row.locale), QString::fromUtf8(row.seconds))
            << row.name;
}

} // namespace
