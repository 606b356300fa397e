#include "db/AppError.h"
#include "db/jet/JetLike.h"

#include <gtest/gtest.h>

namespace {

struct LikeCase {
    const char* name;
    const char* pattern;
    const char* text;
    bool matches;
};

const LikeCase kCases[] = {
    {"underscores_any_letter", "K__T", "KRET", true},
    {"underscores_count_exactly", "K__T", "KRETY", false},
    {"polish_case_folded", "żółw", "ŻÓŁW", true},
    {"diacritics_are_letters", "ZOLW", "ŻÓŁW", false},
    {"z_dot_is_not_z_acute", "Ż", "Ź", false},
    {"underscore_takes_a_two_byte_letter", "_ÓŁW", "ŻÓŁW", true},
    {"underscore_is_one_letter_not_one_byte", "__ÓŁW", "ŻÓŁW", false},
    {"percent_matches_empty", "%", "", true},
    {"underscore_needs_a_letter", "_", "", false},
    {"percent_runs", "%%K%%", "OKO", true},
    {"scrabble_pattern", "%R___E%", "ARBUZEK", true},
    {"backtracking_end", "%AN", "BANANA", false},
    {"backtracking_end_hit", "%NA", "BANANA", true},
    {"backtracking_middle", "B%N%A", "BANANA", true},
    {"set_case_folded", "[kp]OT", "KOT", true},
    {"negated_set", "[!KP]OT", "LOT", true},
    {"negated_polish", "[!Ż]%", "żaba", false},
    {"range_low_end", "[a-c]%", "AS", true},
    {"range_high_end", "[a-c]%", "CIS", true},
    {"polish_set", "[ąę]K", "ĘK", true},
    {"bracketed_underscore_is_literal", "A[_]B", "A_B", true},
    {"bracketed_percent_is_literal", "100[%]", "100%", true},
    {"closing_bracket_first_in_set", "[]]", "]", true},
    {"star_is_literal", "*", "ABC", false},
    {"question_mark_is_literal", "?", "A", false},
    {"empty_pattern_text", "", "A", false},
};

class LikeTest : public ::testing::TestWithParam<LikeCase> {};

TEST_P(LikeTest, MatchesUtf8AndUtf16Alike) {
    const LikeCase& c = GetParam();
    const JetLike like(QString::fromUtf8(c.pattern));
    EXPECT_EQ(like.matches(c.text, qsizetype(strlen(c.text))), c.matches) << c.pattern << " / " << c.text;
    EXPECT_EQ(like.matches(QString::fromUtf8(c.text)), c.matches) << c.pattern << " / " << c.text;
}

INSTANTIATE_TEST_SUITE_P(Patterns, LikeTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Like, UnclosedSetIsAnErrorAndMalformedUtf8NeverStalls) {
    EXPECT_THROW(JetLike(QStringLiteral("A[!")), AppError);
    const char bytes[] = {'\xC5', 'A', '\xFF', '\xE2', '\x82', 'A'};
    EXPECT_TRUE(JetLike(QStringLiteral("%A")).matches(bytes, sizeof bytes));
}

} // namespace
