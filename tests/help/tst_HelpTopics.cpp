#include "help/HelpTopics.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

// Each topic by its line count and the words it begins and ends with: a topic
// shown under another number, a lost line or a lone CR or LF shows here.
struct ExpectedTopic {
    int topic;
    const char* name;
    int lineCount;
    const char* begins;
    const char* ends;
};

void PrintTo(const ExpectedTopic& t, std::ostream* os) {
    *os << "topic " << t.topic;
}

const ExpectedTopic Expected[] = {
    {0, "DatabaseFrame", 5, "Sekcja 'Baza danych' prezentuje", "wyszukiwania kwerendą."},
    {1, "Crossword", 11, "Sekcja 'Wyszukiwanie - Krzyżówka'", "KANTOR, KARTON i KONTRA."},
    {2, "Pattern", 11, "Sekcja 'Wyszukiwanie - Wzorzec'", "może znacznie się wydłużyć."},
    {3, "Scrabble", 11, "Sekcja 'Wyszukiwanie - Scrabble'", "i SKURCZE (6 liter)."},
    {4, "Query", 12, "Sekcja 'Wyszukiwanie - Kwerenda'", "WHERE Wyraz LIKE 'K__T%'"},
    {5, "Results", 9, "Sekcja 'Wyniki wyszukiwania'", "jako 'Usuń wyrazy'."},
    {6, "OptionsDatabase", 17, "Zaznaczenie opcji 'Otwórz ostatnio", "Wartość domyślna: Wyłączona"},
    {7, "OptionsCrossword", 5,
     "Opcja 'Domyślna liczba pól wyszukiwania' pozwala na ustawienie domyślnej liczby pól wyszukiwania "
     "krzyżówką",
     "Wartość domyślna: Wyłączona"},
    {8, "OptionsPattern", 2, "Zaznaczenie opcji 'Zaznacz opcję 'Szukaj także", "Wartość domyślna: Wyłączona"},
    {9, "OptionsScrabble", 5,
     "Opcja 'Domyślna liczba pól wyszukiwania' pozwala na ustawienie domyślnej liczby pól wyszukiwania "
     "scrabble",
     "Wartość domyślna: Wyłączona"},
    {10, "OptionsLogging", 8, "Zaznaczenie opcji 'Zapisuj błędy aplikacji", "Wartość domyślna: Wyłączona"},
};

class HelpTopicText : public ::testing::TestWithParam<ExpectedTopic> {};

TEST_P(HelpTopicText, IsTheFixedTextJoinedWithCrLf) {
    const ExpectedTopic& expected = GetParam();
    const QString actual = HelpTopics::text(expected.topic);
    EXPECT_TRUE(actual.startsWith(QString::fromUtf8(expected.begins))) << actual.left(60).toStdString();
    EXPECT_TRUE(actual.endsWith(QString::fromUtf8(expected.ends))) << actual.right(60).toStdString();
    EXPECT_EQ(HelpTopics::lines(expected.topic).size(), expected.lineCount);
    EXPECT_EQ(HelpTopics::lines(expected.topic).join(QStringLiteral("\r\n")), actual);
    // A lone CR or LF would show as a stray box or break in the window.
    EXPECT_EQ(actual.count(QLatin1Char('\r')), expected.lineCount - 1);
    EXPECT_EQ(actual.count(QLatin1Char('\n')), expected.lineCount - 1);
}

INSTANTIATE_TEST_SUITE_P(AllTopics, HelpTopicText, ::testing::ValuesIn(Expected),
                         [](const ::testing::TestParamInfo<ExpectedTopic>& info) {
                             return std::string("Topic") + std::to_string(info.param.topic) + "_" +
                                    info.param.name;
                         });

TEST(HelpTopics, TopicsOutsideZeroToTenHaveNoText) {
    for (int topic : {-1, 11, 32767}) {
        EXPECT_FALSE(HelpTopics::exists(topic)) << topic;
        EXPECT_TRUE(HelpTopics::text(topic).isEmpty()) << topic;
    }
    for (int topic = 0; topic < HelpTopics::Count; ++topic)
        EXPECT_TRUE(HelpTopics::exists(topic)) << topic;
}

} // namespace
