#include "search/ResultsMenuState.h"

#include <gtest/gtest.h>

namespace {

struct MenuCase {
    const char* name;
    int rows;
    int selected;
    bool readOnly;
    bool sorted;
    bool descriptions, word, add, remove;
    const char* deleteCaption;
};

const char* const One = "Usuń wyraz";
const char* const Many = "Usuń wyrazy";

const MenuCase menuCases[] = {
    {"rows_none_selected", 5, 0, false, true, false, false, true, false, One},
    {"one_selected", 5, 1, false, true, true, true, true, true, One},
    {"two_selected", 5, 2, false, true, false, false, true, true, Many},
    {"read_only_one_selected", 5, 1, true, true, true, false, false, false, One},
    {"query_results_one_selected", 5, 1, false, false, false, false, false, false, One},
};

class MenuStates : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuStates, EntriesAndCaption) {
    const MenuCase& c = GetParam();
    const ResultsMenuState state = ResultsMenuState::decide(c.rows, c.selected, c.readOnly, c.sorted);
    EXPECT_EQ(state.maintainDescriptions, c.descriptions);
    EXPECT_EQ(state.maintainWord, c.word);
    EXPECT_EQ(state.addWord, c.add);
    EXPECT_EQ(state.deleteWord, c.remove);
    EXPECT_EQ(state.deleteCaption, QString::fromUtf8(c.deleteCaption));
}

INSTANTIATE_TEST_SUITE_P(Table, MenuStates, ::testing::ValuesIn(menuCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
