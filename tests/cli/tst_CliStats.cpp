#include "support/CliRun.h"
#include "support/TestDictionary.h"

#include <gtest/gtest.h>

namespace {

TEST(CliStats, PrintsTheFiveFactsOneALine) {
    TestDictionary dict({"KOT", "PIES", "ŻÓŁW"}, {{1, "zwierzę"}, {3, "gad"}});
    const CliRun run = cli({"stats", dict.path(), "--read-only"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << run.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Liczba wyrazów\t3"));
    EXPECT_EQ(lines[1], QStringLiteral("Liczba opisów\t2"));
    EXPECT_EQ(lines[2], QStringLiteral("Liczba opisów przypadająca na 1 wyraz\t0,6667"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Data ostatniej modyfikacji bazy\t")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("Czas generowania statystyki (sekundy)\t")));
}

TEST(CliStats, WrongPasswordAndBadArguments) {
    TestDictionary dict({"KOT"}, {}, "tajne");
    const CliRun wrong = cli({"stats", dict.path(), "--password", "jawne"});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.out.isEmpty()) << wrong.out.toStdString();
    EXPECT_FALSE(wrong.err.isEmpty());
    EXPECT_EQ(cli({"stats"}).exitCode, 2);
}

} // namespace
