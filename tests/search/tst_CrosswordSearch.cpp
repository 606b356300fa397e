#include "search/CrosswordSearch.h"

#include <gtest/gtest.h>

namespace {

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

} // namespace
