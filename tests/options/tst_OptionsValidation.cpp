#include "options/OptionsValidation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

namespace {

// The warning of each of the ten checks: two per text box, numeric then range.
OptionsFailure failureOf(int check) {
    static const struct {
        const char *subject, *range;
        int tab;
        const char* field;
    } boxes[] = {
        {"Limit czasu na połączenie z bazą danych", "<1, 999>", 1, "txtTimeout"},
        {"Maksymalna liczba rekordów zwracanych przez kwerendę", "<1, 9999999>", 1, "txtMaxRecords"},
        {"Odświeżanie wyników wyszukiwania", "<1, 99999>", 1, "txtRefreshRecords"},
        {"Domyślna liczba pól wyszukiwania krzyżówką", "<2, 15>", 2, "txtFields1"},
        {"Domyślna liczba pól wyszukiwania scrabble", "<1, 7>", 2, "txtFields3"},
    };
    const auto& box = boxes[(check - 1) / 2];
    const QString tail = check % 2 ? QStringLiteral(" nie jest wartością numeryczną.")
                                   : QStringLiteral(" musi być wartością z przedziału %1.").arg(box.range);
    return {check, QString::fromUtf8(box.subject) + tail, box.tab, QString::fromUtf8(box.field)};
}

using Scope = OptionsValidation::Scope;
using Text = QString OptionsValues::*;
constexpr Text T = &OptionsValues::ConnTimeout, M = &OptionsValues::MaxRecords,
               R = &OptionsValues::RefreshRecords, F1 = &OptionsValues::Fields1, F3 = &OptionsValues::Fields3;

struct ValidationCase {
    const char* name;
    std::vector<std::pair<Text, const char*>> edits; // applied to the defaults
    Scope scope;
    int failingCheck; // 0: all pass
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.name;
}

// clang-format off
const ValidationCase Cases[] = {
    {"DefaultsPass", {}, Scope::All, 0},
    {"EmptyTimeout", {{T, ""}}, Scope::All, 1},
    {"TimeoutZero", {{T, "0"}}, Scope::All, 2},
    {"Timeout1000", {{T, "1000"}}, Scope::All, 2},
    {"MaxRecordsWithPlus", {{M, "+5"}}, Scope::All, 3},
    {"MaxRecordsZero", {{M, "0"}}, Scope::All, 4},
    {"MaxRecordsTop", {{M, "9999999"}}, Scope::All, 0},
    {"MaxRecordsAboveTop", {{M, "10000000"}}, Scope::All, 4},
    {"RefreshLetters", {{R, "sto"}}, Scope::All, 5},
    {"RefreshZero", {{R, "0"}}, Scope::All, 6},
    {"RefreshAboveTop", {{R, "100000"}}, Scope::All, 6},
    {"Fields1Letter", {{F1, "x"}}, Scope::All, 7},
    {"Fields1One", {{F1, "1"}}, Scope::All, 8},
    {"Fields1Two", {{F1, "2"}}, Scope::All, 0},
    {"Fields1Sixteen", {{F1, "16"}}, Scope::All, 8},
    {"Fields1WithLeadingZero", {{F1, "08"}}, Scope::All, 0},
    {"Fields3Empty", {{F3, ""}}, Scope::All, 9},
    {"Fields3Zero", {{F3, "0"}}, Scope::All, 10},
    {"Fields3Eight", {{F3, "8"}}, Scope::All, 10},
    {"TimeoutAndFields1BadReportsTimeout", {{T, ""}, {F1, "16"}}, Scope::All, 1},
    {"SearchTabSkipsTheDatabaseTab", {{T, ""}, {M, "0"}, {R, "x"}, {F1, "16"}}, Scope::SearchTab, 8},
};
// clang-format on

class OptionsValidationTable : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(OptionsValidationTable, FirstFailingCheck) {
    const ValidationCase& c = GetParam();
    OptionsValues values = OptionsValues::fromSettings(Settings());
    for (const auto& [field, text] : c.edits)
        values.*field = QString::fromUtf8(text);
    const std::optional<OptionsFailure> failure = OptionsValidation::validate(values, c.scope);
    if (c.failingCheck == 0) {
        EXPECT_FALSE(failure.has_value()) << failure->message.toStdString();
        return;
    }
    ASSERT_TRUE(failure.has_value());
    const OptionsFailure expected = failureOf(c.failingCheck);
    EXPECT_EQ(failure->check, expected.check);
    EXPECT_EQ(failure->message.toStdString(), expected.message.toStdString());
    EXPECT_EQ(failure->tab, expected.tab);
    EXPECT_EQ(failure->field.toStdString(), expected.field.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Checks, OptionsValidationTable, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
