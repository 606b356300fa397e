#include "search/CrosswordSearch.h"
#include "search/QuerySearch.h"
#include "search/ScrabbleSearch.h"

#include <gtest/gtest.h>

namespace {

// One character per rack field, "?" for a blank (an empty field).
ScrabbleSearch search(const char* pattern, const char* tiles) {
    QStringList rack;
    for (const QChar c : QString::fromUtf8(tiles))
        rack << (c == QLatin1Char('?') ? QString() : QString(c));
    return ScrabbleSearch{QString::fromUtf8(pattern), rack, true};
}

struct FitCase {
    const char* name;
    const char* pattern;
    const char* rack;
    const char* word;
    int expected; // -1: not a candidate
};

const FitCase fitCases[] = {
    {"pierscien_blank_for_n", "*R???E*", "CEIIPŚ?", "PIERŚCIEŃ", 7},
    {"third_occurrence_needs_blank", "*A*", "KK?", "KAKK", 3},
    {"exact_letter_before_blank", "*A*", "?K", "KAT", 2},
    {"blank_used_once", "*A*", "?K", "KAKK", 0},
    {"lower_case_rack", "*A*", "kot", "KOTA", 3},
    {"no_star_length_must_match", "K?T", "OA", "KOTY", -1},
    {"star_too_short", "*A??", "BCDEFGH", "AB", -1},
    {"star_sixteen_letters", "*A*", "???????", "ABCDEFGHIJKLMNOP", -1},
    {"star_fifteen_letters_fits_none", "*A*", "???????", "ABCDEFGHIJKLMNO", 0},
    {"board_letter_missing_is_skipped", "*Ą*", "ABC", "KAT", 0},
};

class ScrabbleFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(ScrabbleFit, TilesUsed) {
    const FitCase& c = GetParam();
    const auto decided = search(c.pattern, c.rack).matcher().decide(QString::fromUtf8(c.word));
    EXPECT_EQ(decided, c.expected < 0 ? std::nullopt : std::optional<int>(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, ScrabbleFit, ::testing::ValuesIn(fitCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AnagramCase {
    const char* name;
    const char* word;
    const char* pool;
    bool passes;
};

const AnagramCase anagramCases[] = {
    {"kantor", "KANTOR", "KROTNA", true},
    {"ala_refuses_lal", "LAL", "ALA", false},
    {"polish_letters_are_distinct", "ŁAN", "LAN", false},
    {"polish_letters_match_exactly", "ŻÓŁW", "WŁÓŻ", true},
    {"case_must_match", "kot", "KOT", false},
    {"longer_word", "KOTY", "KOT", false},
};

class Anagram : public ::testing::TestWithParam<AnagramCase> {};

TEST_P(Anagram, PoolRules) {
    const AnagramCase& c = GetParam();
    EXPECT_EQ(CrosswordSearch::isAnagram(QString::fromUtf8(c.word), QString::fromUtf8(c.pool)), c.passes);
}

INSTANTIATE_TEST_SUITE_P(Table, Anagram, ::testing::ValuesIn(anagramCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct TopCase {
    const char* name;
    const char* typed;
    const char* sent;
};

// clang-format off
const TopCase topCases[] = {
    {"trimmed_upper_cased_spaces_collapsed", "  select    Wyraz FROM WYRAZY ", "SELECT TOP 5000 Wyraz FROM WYRAZY"},
    {"lower_case_top_kept", "select top 3 * from wyrazy", "select top 3 * from wyrazy"},
    {"name_starting_with_top", "SELECT TOPIC FROM T", "SELECT TOPIC FROM T"},
    {"no_space_after_select", "SELECT*FROM WYRAZY", "SELECT TOP 5000 *FROM WYRAZY"},
    {"line_break_after_select_kept", "SELECT\nWyraz FROM WYRAZY", "SELECT TOP 5000 \nWyraz FROM WYRAZY"},
};
// clang-format on

class QueryTop : public ::testing::TestWithParam<TopCase> {};

TEST_P(QueryTop, SentText) {
    const TopCase& c = GetParam();
    EXPECT_EQ(QuerySearch{QString::fromUtf8(c.typed)}.sentText(5000, false), QString::fromUtf8(c.sent));
}

INSTANTIATE_TEST_SUITE_P(Table, QueryTop, ::testing::ValuesIn(topCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
