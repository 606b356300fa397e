#include "options/OptionsValidation.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// The warning of each of the ten checks: two per text box, numeric then range.
OptionsFailure failureOf(int check) {
    static const struct {
        const char* subject;
        const char* range;
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
    const QString message =
        QString::fromUtf8(box.subject) + (check % 2 ? QStringLiteral(" nie jest wartością numeryczną.")
                                                    : QStringLiteral(" musi być wartością z przedziału ") +
                                                          QString::fromUtf8(box.range) + QLatin1Char('.'));
    return {check, message, box.tab, QString::fromUtf8(box.field)};
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
    {"TimeoutZero", set<&OptionsValues::ConnTimeout>("0"), Scope::All, 2},
    {"Timeout1000", set<&OptionsValues::ConnTimeout>("1000"), Scope::All, 2},
    {"MaxRecordsWithPlus", set<&OptionsValues::MaxRecords>("+5"), Scope::All, 3},
    {"MaxRecordsFullWidthDigit", set<&OptionsValues::MaxRecords>("５"), Scope::All, 3},
    {"MaxRecordsZero", set<&OptionsValues::MaxRecords>("0"), Scope::All, 4},
    {"MaxRecordsTop", set<&OptionsValues::MaxRecords>("9999999"), Scope::All, 0},
    {"MaxRecordsAboveTop", set<&OptionsValues::MaxRecords>("10000000"), Scope::All, 4},
    {"RefreshLetters", set<&OptionsValues::RefreshRecords>("sto"), Scope::All, 5},
    {"RefreshZero", set<&OptionsValues::RefreshRecords>("0"), Scope::All, 6},
    {"RefreshAboveTop", set<&OptionsValues::RefreshRecords>("100000"), Scope::All, 6},
    {"Fields1Letter", set<&OptionsValues::Fields1>("x"), Scope::All, 7},
    {"Fields1One", set<&OptionsValues::Fields1>("1"), Scope::All, 8},
    {"Fields1Two", set<&OptionsValues::Fields1>("2"), Scope::All, 0},
    {"Fields1Sixteen", set<&OptionsValues::Fields1>("16"), Scope::All, 8},
    {"Fields1WithLeadingZero", set<&OptionsValues::Fields1>("08"), Scope::All, 0},
    {"Fields3Empty", set<&OptionsValues::Fields3>(""), Scope::All, 9},
    {"Fields3Zero", set<&OptionsValues::Fields3>("0"), Scope::All, 10},
    {"Fields3Eight", set<&OptionsValues::Fields3>("8"), Scope::All, 10},
    {"TimeoutAndFields1BadReportsTimeout",
     [](OptionsValues& v) {
         v.ConnTimeout = QString();
         v.Fields1 = QStringLiteral("16");
     },
     Scope::All, 1},
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
