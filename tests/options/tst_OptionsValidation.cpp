#include "options/OptionsValidation.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// The warning of each of the ten checks, with its tab and field.
OptionsFailure failureOf(int check) {
    static const OptionsFailure table[] = {
        {1, "Limit czasu na połączenie z bazą danych nie jest wartością numeryczną.", 1, "txtTimeout"},
        {2, "Limit czasu na połączenie z bazą danych musi być wartością z przedziału <1, 999>.", 1,
         "txtTimeout"},
        {3, "Maksymalna liczba rekordów zwracanych przez kwerendę nie jest wartością numeryczną.", 1,
         "txtMaxRecords"},
        {4,
         "Maksymalna liczba rekordów zwracanych przez kwerendę musi być wartością z przedziału <1, 9999999>.",
         1, "txtMaxRecords"},
        {5, "Odświeżanie wyników wyszukiwania nie jest wartością numeryczną.", 1, "txtRefreshRecords"},
        {6, "Odświeżanie wyników wyszukiwania musi być wartością z przedziału <1, 99999>.", 1,
         "txtRefreshRecords"},
        {7, "Domyślna liczba pól wyszukiwania krzyżówką nie jest wartością numeryczną.", 2, "txtFields1"},
        {8, "Domyślna liczba pól wyszukiwania krzyżówką musi być wartością z przedziału <2, 15>.", 2,
         "txtFields1"},
        {9, "Domyślna liczba pól wyszukiwania scrabble nie jest wartością numeryczną.", 2, "txtFields3"},
        {10, "Domyślna liczba pól wyszukiwania scrabble musi być wartością z przedziału <1, 7>.", 2,
         "txtFields3"},
    };
    return table[check - 1];
}

using Scope = OptionsValidation::Scope;

struct ValidationCase {
    const char* name;
    std::function<void(OptionsValues&)> edit; // applied to the defaults
    Scope scope;
    int failingCheck; // 0: all pass
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.name;
}

template <QString OptionsValues::*Field> std::function<void(OptionsValues&)> set(const char* text) {
    return [text](OptionsValues& v) { v.*Field = QString::fromUtf8(text); };
}

const ValidationCase Cases[] = {
    {"DefaultsPass", [](OptionsValues&) {}, Scope::All, 0},
    {"EmptyTimeout", set<&OptionsValues::ConnTimeout>(""), Scope::All, 1},
    {"NegativeTimeout", set<&OptionsValues::ConnTimeout>("-5"), Scope::All, 1},
    {"TimeoutWithLeadingSpace", set<&OptionsValues::ConnTimeout>(" 5"), Scope::All, 1},
    {"TimeoutWithTrailingSpace", set<&OptionsValues::ConnTimeout>("5 "), Scope::All, 1},
    {"TimeoutZero", set<&OptionsValues::ConnTimeout>("0"), Scope::All, 2},
    {"TimeoutOne", set<&OptionsValues::ConnTimeout>("1"), Scope::All, 0},
    {"Timeout999", set<&OptionsValues::ConnTimeout>("999"), Scope::All, 0},
    {"Timeout1000", set<&OptionsValues::ConnTimeout>("1000"), Scope::All, 2},
    {"TimeoutWithLeadingZero", set<&OptionsValues::ConnTimeout>("060"), Scope::All, 0},
    {"TimeoutTooLongForAnyInteger", set<&OptionsValues::ConnTimeout>("99999999999999999999999"), Scope::All,
     2},
    {"MaxRecordsWithPlus", set<&OptionsValues::MaxRecords>("+5"), Scope::All, 3},
    {"MaxRecordsFraction", set<&OptionsValues::MaxRecords>("5.0"), Scope::All, 3},
    {"MaxRecordsFullWidthDigit", set<&OptionsValues::MaxRecords>("５"), Scope::All, 3},
    {"MaxRecordsZero", set<&OptionsValues::MaxRecords>("0"), Scope::All, 4},
    {"MaxRecordsTop", set<&OptionsValues::MaxRecords>("9999999"), Scope::All, 0},
    {"MaxRecordsAboveTop", set<&OptionsValues::MaxRecords>("10000000"), Scope::All, 4},
    {"RefreshLetters", set<&OptionsValues::RefreshRecords>("sto"), Scope::All, 5},
    {"RefreshZero", set<&OptionsValues::RefreshRecords>("0"), Scope::All, 6},
    {"RefreshTop", set<&OptionsValues::RefreshRecords>("99999"), Scope::All, 0},
    {"RefreshAboveTop", set<&OptionsValues::RefreshRecords>("100000"), Scope::All, 6},
    {"Fields1Letter", set<&OptionsValues::Fields1>("x"), Scope::All, 7},
    {"Fields1One", set<&OptionsValues::Fields1>("1"), Scope::All, 8},
    {"Fields1Two", set<&OptionsValues::Fields1>("2"), Scope::All, 0},
    {"Fields1Fifteen", set<&OptionsValues::Fields1>("15"), Scope::All, 0},
    {"Fields1Sixteen", set<&OptionsValues::Fields1>("16"), Scope::All, 8},
    {"Fields1WithLeadingZero", set<&OptionsValues::Fields1>("08"), Scope::All, 0},
    {"Fields3Empty", set<&OptionsValues::Fields3>(""), Scope::All, 9},
    {"Fields3Zero", set<&OptionsValues::Fields3>("0"), Scope::All, 10},
    {"Fields3One", set<&OptionsValues::Fields3>("1"), Scope::All, 0},
    {"Fields3Seven", set<&OptionsValues::Fields3>("7"), Scope::All, 0},
    {"Fields3Eight", set<&OptionsValues::Fields3>("8"), Scope::All, 10},
    {"TimeoutAndFields1BadReportsTimeout",
     [](OptionsValues& v) {
         v.ConnTimeout = QString();
         v.Fields1 = QStringLiteral("16");
     },
     Scope::All, 1},
    {"RefreshAndFields3BadReportsRefresh",
     [](OptionsValues& v) {
         v.RefreshRecords = QStringLiteral("0");
         v.Fields3 = QStringLiteral("x");
     },
     Scope::All, 6},
    {"Fields1AndFields3BadReportsFields1",
     [](OptionsValues& v) {
         v.Fields1 = QStringLiteral("1");
         v.Fields3 = QStringLiteral("0");
     },
     Scope::All, 8},
    {"SearchTabIgnoresDatabaseTab",
     [](OptionsValues& v) {
         v.ConnTimeout = QString();
         v.MaxRecords = QStringLiteral("0");
         v.RefreshRecords = QStringLiteral("x");
     },
     Scope::SearchTab, 0},
    {"SearchTabChecksFields1",
     [](OptionsValues& v) {
         v.ConnTimeout = QString();
         v.Fields1 = QStringLiteral("16");
     },
     Scope::SearchTab, 8},
    {"SearchTabChecksFields3", set<&OptionsValues::Fields3>("-1"), Scope::SearchTab, 9},
};

class OptionsValidationTable : public ::testing::TestWithParam<ValidationCase> {};

TEST_P(OptionsValidationTable, FirstFailingCheck) {
    const ValidationCase& c = GetParam();
    OptionsValues values = OptionsValues::fromSettings(Settings());
    c.edit(values);
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
                         [](const ::testing::TestParamInfo<ValidationCase>& info) {
                             return info.param.name;
                         });

} // namespace
