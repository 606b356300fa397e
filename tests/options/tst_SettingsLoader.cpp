#include "options/OptionsSave.h"
#include "options/OptionsValidation.h"
#include "options/OptionsValues.h"
#include "options/SettingsLoader.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <ostream>
#include <vector>

namespace {

// Remembers the order of writes ("Key=text"; every key is in one section), which the INI
// file itself does not keep.
class RecordingStore : public SettingsStore {
public:
    using SettingsStore::SettingsStore;
    void write(const QString& section, const QString& key, const QString& value) override {
        writes << key + QLatin1Char('=') + value;
        SettingsStore::write(section, key, value);
    }
    QStringList writes;
};

struct RecordingEnvironment {
    QTemporaryDir dir;
    TestPrompts prompts;
    TestPlatform platform;
    RecordingStore store{dir.path() + QStringLiteral("/Literon 2.0.ini")};
    modMain mod{prompts, platform, store};

    // A loaded store, its writes forgotten, then each "Key=text" stored behind the loader's back.
    void prepare(const QStringList& edits) {
        SettingsLoader::load(mod);
        for (const QString& edit : edits)
            store.SettingsStore::write(QStringLiteral("Options"), edit.section('=', 0, 0),
                                       edit.section('=', 1));
        store.writes.clear();
    }
    QString stored(const QString& key) const { return store.read(QStringLiteral("Options"), key); }
};

// Every key with a valid text away from its default, in table order.
const QStringList NonDefaults =
    QStringLiteral(
        "RecallDB=1 OpenReadOnly=1 ConnTimeout=30 MaxRecords=700 RefreshRecords=50 IgnoreMaxRecords=1 "
        "Fields1=5 Anagrams=1 Descriptions=1 Fields3=3 Blanks=1 LogErrors=0 LogQueryErrors=1 "
        "LogConnErrors=1")
        .split(' ');

int indexOf(const QString& key) {
    return int(NonDefaults.indexOf(QRegularExpression(QStringLiteral("%1=.*").arg(key))));
}

// Every member read by its own name, in table order, so that a key read into another member shows.
QStringList members(const Settings& s) {
    const qint32 values[] = {s.RecallDB,       s.OpenReadOnly,     s.ConnTimeout, s.MaxRecords,
                             s.RefreshRecords, s.IgnoreMaxRecords, s.Fields1,     s.Anagrams,
                             s.Descriptions,   s.Fields3,          s.Blanks,      s.LogErrors,
                             s.LogQueryErrors, s.LogConnErrors};
    QStringList texts;
    for (int i = 0; i < int(std::size(values)); ++i)
        texts << NonDefaults[i].section('=', 0, 0) + '=' + QString::number(values[i]);
    return texts;
}

TEST(SettingsLoader, FirstStartWritesEveryDefaultInTableOrder) {
    RecordingEnvironment env;
    env.mod.settings.LogErrors = false; // proves load() resets memory first
    SettingsLoader::load(env.mod);
    const QStringList defaults =
        QStringLiteral("RecallDB=0 OpenReadOnly=0 ConnTimeout=60 MaxRecords=5000 RefreshRecords=100 "
                       "IgnoreMaxRecords=0 Fields1=8 Anagrams=0 Descriptions=0 Fields3=7 Blanks=0 "
                       "LogErrors=1 LogQueryErrors=0 LogConnErrors=0")
            .split(' ');
    EXPECT_EQ(env.store.writes, defaults);
    EXPECT_EQ(members(env.mod.settings), defaults);
}

TEST(SettingsLoader, EachKeyAloneReachesItsOwnMember) {
    ASSERT_EQ(NonDefaults.size(), SettingsLoader::keys().size());
    for (int i = 0; i < NonDefaults.size(); ++i) {
        RecordingEnvironment env;
        env.prepare({NonDefaults[i]});
        SettingsLoader::load(env.mod);
        QStringList expected = members(Settings());
        expected[i] = NonDefaults[i];
        EXPECT_EQ(members(env.mod.settings), expected) << NonDefaults[i].toStdString();
    }
}

struct StoredCase {
    const char* key;
    const char* stored;
    qint32 inMemory;
    const char* storedAfter; // nullptr: left as it was
};

class StoredSetting : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredSetting, AcceptedOrRepaired) {
    const StoredCase& c = GetParam();
    const QString key = QString::fromLatin1(c.key);
    RecordingEnvironment env;
    env.prepare({key + '=' + c.stored});
    SettingsLoader::load(env.mod);
    EXPECT_EQ(members(env.mod.settings).value(indexOf(key)),
              QStringLiteral("%1=%2").arg(key).arg(c.inMemory));
    EXPECT_EQ(env.store.writes, c.storedAfter ? QStringList{key + '=' + c.storedAfter} : QStringList());
    EXPECT_EQ(env.stored(key), QString::fromLatin1(c.storedAfter ? c.storedAfter : c.stored));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Stored, StoredSetting, ::testing::Values(
    StoredCase{"ConnTimeout", "0", 60, "60"}, StoredCase{"ConnTimeout", "1000", 60, "60"},
    StoredCase{"ConnTimeout", "1", 1, nullptr}, StoredCase{"ConnTimeout", "999", 999, nullptr},
    StoredCase{"MaxRecords", "9999999", 9999999, nullptr}, StoredCase{"MaxRecords", "10000000", 5000, "5000"},
    StoredCase{"RefreshRecords", "99999", 99999, nullptr}, StoredCase{"RefreshRecords", "100000", 100, "100"},
    StoredCase{"Fields1", "1", 8, "8"}, StoredCase{"Fields1", "2", 2, nullptr},
    StoredCase{"Fields1", "15", 15, nullptr}, StoredCase{"Fields1", "16", 8, "8"},
    StoredCase{"Fields3", "0", 7, "7"}, StoredCase{"Fields3", "8", 7, "7"},
    // The classic conversion: blanks ignored, halves rounded to even.
    StoredCase{"MaxRecords", " 250 ", 250, nullptr}, StoredCase{"Fields1", "12.5", 12, nullptr},
    StoredCase{"Fields1", "13.5", 14, nullptr}, StoredCase{"ConnTimeout", "1e2", 100, nullptr},
    // A switch is on for exactly "1" and never rewritten.
    StoredCase{"RecallDB", "-1", 0, nullptr}, StoredCase{"RecallDB", "01", 0, nullptr},
    StoredCase{"LogErrors", "1 ", 0, nullptr}),
    [](const auto& info) { return rowName(std::string(info.param.key) + "_" + info.param.stored); });
// clang-format on

TEST(SettingsLoader, AnUnconvertibleTextStopsTheLoadThereLeavingLaterKeysAtDefaultAndTheStoreAsItWas) {
    const struct {
        const char *key, *stored;
        qint32 number;
    } cases[] = {{"MaxRecords", "abc", 13},
                 {"ConnTimeout", "32768", 6},
                 {"MaxRecords", "3000000000", 6},
                 {"RefreshRecords", "1,5", 13}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + '=' + c.stored);
        const QString key = QString::fromLatin1(c.key);
        RecordingEnvironment env;
        // Every key holds a valid non-default value, then one is spoiled.
        env.prepare(NonDefaults + QStringList{key + '=' + c.stored});
        try {
            SettingsLoader::load(env.mod);
            ADD_FAILURE() << "no error";
        } catch (const AppError& error) {
            EXPECT_EQ(error.number(), c.number);
        }
        EXPECT_TRUE(env.store.writes.isEmpty());
        EXPECT_EQ(env.stored(key), QString::fromLatin1(c.stored));
        QStringList expected = NonDefaults;
        for (int i = indexOf(key); i < expected.size(); ++i)
            expected[i] = members(Settings())[i];
        EXPECT_EQ(members(env.mod.settings), expected);
    }
}

TEST(OptionsSave, StoresTheFourteenKeysInOrderAsTypedAndLoadsThemIntoMemory) {
    RecordingEnvironment env;
    // Every value away from its default, numbers with leading zeros.
    // clang-format off
    const OptionsValues v{.RecallDB = true, .OpenReadOnly = true, .ConnTimeout = "030", .MaxRecords = "10",
        .RefreshRecords = "00007", .IgnoreMaxRecords = true, .Fields1 = "08", .Anagrams = true, .Descriptions = true,
        .Fields3 = "3", .Blanks = true, .LogErrors = false, .LogQueryErrors = false, .LogConnErrors = true};
    // clang-format on
    OptionsSave::save(env.mod, v);
    EXPECT_EQ(env.store.writes,
              QStringLiteral("RecallDB=1 OpenReadOnly=1 ConnTimeout=030 MaxRecords=10 RefreshRecords=00007 "
                             "IgnoreMaxRecords=1 Fields1=08 Anagrams=1 Descriptions=1 Fields3=3 Blanks=1 "
                             "LogErrors=0 LogQueryErrors=0 LogConnErrors=1")
                  .split(' '));
    // Numbers as numbers; what was saved loads back unchanged at the next start.
    const QStringList saved = members(env.mod.settings);
    EXPECT_EQ(saved.join(' '),
              QStringLiteral("RecallDB=1 OpenReadOnly=1 ConnTimeout=30 MaxRecords=10 RefreshRecords=7 "
                             "IgnoreMaxRecords=1 Fields1=8 Anagrams=1 Descriptions=1 Fields3=3 "
                             "Blanks=1 LogErrors=0 LogQueryErrors=0 LogConnErrors=1"));
    SettingsLoader::load(env.mod);
    EXPECT_EQ(members(env.mod.settings), saved);
}

// The failure of each of the ten checks: two per text box, numeric then range; the
// first three boxes are on the database tab, the other two on the search tab.
OptionsFailure failureOf(int check) {
    static const char* const boxes[][3] = {
        {"Limit czasu na połączenie z bazą danych", "<1, 999>", "txtTimeout"},
        {"Maksymalna liczba rekordów zwracanych przez kwerendę", "<1, 9999999>", "txtMaxRecords"},
        {"Odświeżanie wyników wyszukiwania", "<1, 99999>", "txtRefreshRecords"},
        {"Domyślna liczba pól wyszukiwania krzyżówką", "<2, 15>", "txtFields1"},
        {"Domyślna liczba pól wyszukiwania scrabble", "<1, 7>", "txtFields3"},
    };
    const int box = (check - 1) / 2;
    const QString tail = check % 2
                             ? QStringLiteral(" nie jest wartością numeryczną.")
                             : QStringLiteral(" musi być wartością z przedziału %1.").arg(boxes[box][1]);
    return {check, QString::fromUtf8(boxes[box][0]) + tail, box < 3 ? 1 : 2,
            QString::fromUtf8(boxes[box][2])};
}

using Scope = OptionsValidation::Scope;
using Text = QString OptionsValues::*;
constexpr Text T = &OptionsValues::ConnTimeout, M = &OptionsValues::MaxRecords,
               R = &OptionsValues::RefreshRecords, F1 = &OptionsValues::Fields1, F3 = &OptionsValues::Fields3;

struct ValidationCase {
    const char* name;
    std::vector<std::pair<Text, const char*>> edits; // applied to the defaults
    int failingCheck;                                // 0: all pass
    Scope scope = Scope::All;
};

void PrintTo(const ValidationCase& c, std::ostream* os) {
    *os << c.name;
}

// clang-format off
const ValidationCase Cases[] = {
    {"DefaultsPass", {}, 0},
    {"EmptyTimeout", {{T, ""}}, 1},
    {"TimeoutZero", {{T, "0"}}, 2},
    {"Timeout1000", {{T, "1000"}}, 2},
    {"MaxRecordsWithPlus", {{M, "+5"}}, 3},
    {"MaxRecordsZero", {{M, "0"}}, 4},
    {"MaxRecordsTop", {{M, "9999999"}}, 0},
    {"MaxRecordsAboveTop", {{M, "10000000"}}, 4},
    {"RefreshLetters", {{R, "sto"}}, 5},
    {"RefreshZero", {{R, "0"}}, 6},
    {"RefreshAboveTop", {{R, "100000"}}, 6},
    {"Fields1Letter", {{F1, "x"}}, 7},
    {"Fields1One", {{F1, "1"}}, 8},
    {"Fields1Two", {{F1, "2"}}, 0},
    {"Fields1Sixteen", {{F1, "16"}}, 8},
    {"Fields3Empty", {{F3, ""}}, 9},
    {"Fields3Zero", {{F3, "0"}}, 10},
    {"Fields3Eight", {{F3, "8"}}, 10},
    {"TimeoutAndFields1BadReportsTimeout", {{T, ""}, {F1, "16"}}, 1},
    {"SearchTabSkipsTheDatabaseTab", {{T, ""}, {M, "0"}, {R, "x"}, {F1, "16"}}, 8, Scope::SearchTab},
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
