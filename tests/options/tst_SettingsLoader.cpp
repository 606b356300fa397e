#include "options/SettingsLoader.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

// Remembers the order of writes, which the INI file itself does not keep.
class RecordingStore : public SettingsStore {
public:
    using SettingsStore::SettingsStore;
    void write(const QString& section, const QString& key, const QString& value) override {
        writes << section + QLatin1Char('/') + key + QLatin1Char('=') + value;
        SettingsStore::write(section, key, value);
    }
    QStringList writes;
};

// A loaded store, its writes forgotten, then `edits` stored behind the loader's back.
struct RecordingEnvironment {
    QTemporaryDir dir;
    TestPrompts prompts;
    TestPlatform platform;
    RecordingStore store{dir.path() + QStringLiteral("/Literon 2.0.ini")};
    modMain mod{prompts, platform, store};

    void prepare(std::initializer_list<std::pair<const char*, const char*>> edits) {
        SettingsLoader::load(mod);
        for (const auto& [key, text] : edits)
            store.SettingsStore::write(QStringLiteral("Options"), QLatin1String(key),
                                       QString::fromUtf8(text));
        store.writes.clear();
    }
    QString stored(const char* key) const {
        return store.read(QStringLiteral("Options"), QLatin1String(key));
    }
};

TEST(SettingsLoader, FirstStartWritesEveryDefaultInTableOrder) {
    RecordingEnvironment env;
    env.mod.settings.LogErrors = false; // proves load() resets memory first
    env.mod.settings.Fields1 = 3;
    SettingsLoader::load(env.mod);
    const QStringList expected =
        QStringLiteral(
            "RecallDB=0 OpenReadOnly=0 ConnTimeout=60 MaxRecords=5000 RefreshRecords=100 "
            "IgnoreMaxRecords=0 Fields1=8 Anagrams=0 Descriptions=0 Fields3=7 Blanks=0 LogErrors=1 "
            "LogQueryErrors=0 LogConnErrors=0")
            .split(' ')
            .replaceInStrings(QRegularExpression(QStringLiteral("^")), QStringLiteral("Options/"));
    EXPECT_EQ(env.store.writes, expected);
    EXPECT_TRUE(env.mod.settings.LogErrors);
    EXPECT_EQ(env.mod.settings.Fields1, 8);
    EXPECT_TRUE(env.prompts.shown.isEmpty());
    // A second start finds every key and writes nothing.
    env.store.writes.clear();
    SettingsLoader::load(env.mod);
    EXPECT_TRUE(env.store.writes.isEmpty());
}

// Every key with a valid text away from its default, in table order.
const char* const NonDefaults[][2] = {
    {"RecallDB", "1"},        {"OpenReadOnly", "1"},     {"ConnTimeout", "30"}, {"MaxRecords", "700"},
    {"RefreshRecords", "50"}, {"IgnoreMaxRecords", "1"}, {"Fields1", "5"},      {"Anagrams", "1"},
    {"Descriptions", "1"},    {"Fields3", "3"},          {"Blanks", "1"},       {"LogErrors", "0"},
    {"LogQueryErrors", "1"},  {"LogConnErrors", "1"}};

// Every member read by its own name, in table order, so that a key read into another member shows.
QStringList members(const Settings& s) {
    const qint32 values[] = {s.RecallDB,       s.OpenReadOnly,     s.ConnTimeout, s.MaxRecords,
                             s.RefreshRecords, s.IgnoreMaxRecords, s.Fields1,     s.Anagrams,
                             s.Descriptions,   s.Fields3,          s.Blanks,      s.LogErrors,
                             s.LogQueryErrors, s.LogConnErrors};
    QStringList texts;
    for (size_t i = 0; i < std::size(values); ++i)
        texts << QStringLiteral("%1=%2").arg(NonDefaults[i][0]).arg(values[i]);
    return texts;
}

TEST(SettingsLoader, EachKeyAloneReachesItsOwnMember) {
    ASSERT_EQ(std::size(NonDefaults), size_t(SettingsLoader::keys().size()));
    for (size_t i = 0; i < std::size(NonDefaults); ++i) {
        const auto& [key, text] = NonDefaults[i];
        RecordingEnvironment env;
        env.prepare({{key, text}});
        SettingsLoader::load(env.mod);
        QStringList expected = members(Settings());
        expected[int(i)] = QStringLiteral("%1=%2").arg(key, text);
        EXPECT_EQ(members(env.mod.settings), expected) << key;
    }
}

struct NumericCase {
    const char* key;
    const char* stored;
    qint32 inMemory;
    const char* storedAfter; // nullptr: left as it was
};

class NumericSetting : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericSetting, AcceptedOrRepaired) {
    const NumericCase& c = GetParam();
    RecordingEnvironment env;
    env.prepare({{c.key, c.stored}});
    SettingsLoader::load(env.mod);
    const QString inMemory =
        members(env.mod.settings).filter(QRegularExpression(QStringLiteral("^%1=").arg(c.key))).value(0);
    EXPECT_EQ(inMemory, QStringLiteral("%1=%2").arg(c.key).arg(c.inMemory));
    const QStringList writes = c.storedAfter
                                   ? QStringList(QStringLiteral("Options/%1=%2").arg(c.key, c.storedAfter))
                                   : QStringList();
    EXPECT_EQ(env.store.writes, writes);
    EXPECT_EQ(env.stored(c.key), QString::fromUtf8(c.storedAfter ? c.storedAfter : c.stored));
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ranges, NumericSetting, ::testing::Values(
    NumericCase{"ConnTimeout", "0", 60, "60"}, NumericCase{"ConnTimeout", "1000", 60, "60"},
    NumericCase{"ConnTimeout", "1", 1, nullptr}, NumericCase{"ConnTimeout", "999", 999, nullptr},
    NumericCase{"MaxRecords", "9999999", 9999999, nullptr}, NumericCase{"MaxRecords", "10000000", 5000, "5000"},
    NumericCase{"RefreshRecords", "99999", 99999, nullptr}, NumericCase{"RefreshRecords", "100000", 100, "100"},
    NumericCase{"Fields1", "1", 8, "8"}, NumericCase{"Fields1", "2", 2, nullptr},
    NumericCase{"Fields1", "15", 15, nullptr}, NumericCase{"Fields1", "16", 8, "8"},
    NumericCase{"Fields3", "0", 7, "7"}, NumericCase{"Fields3", "8", 7, "7"},
    // The classic conversion: blanks ignored, halves rounded to even.
    NumericCase{"MaxRecords", " 250 ", 250, nullptr}, NumericCase{"Fields1", "12.5", 12, nullptr},
    NumericCase{"Fields1", "13.5", 14, nullptr}, NumericCase{"ConnTimeout", "1e2", 100, nullptr}),
    [](const auto& info) { return rowName(std::string(info.param.key) + "_" + info.param.stored); });
// clang-format on

TEST(SettingsLoader, BooleanIsTrueOnlyForExactlyOneAndNeverRewritten) {
    for (const auto& [text, value] :
         {std::pair{"1", true}, {"0", false}, {"-1", false}, {"1 ", false}, {"01", false}}) {
        RecordingEnvironment env;
        env.prepare({{"RecallDB", text}, {"LogErrors", text}});
        SettingsLoader::load(env.mod);
        EXPECT_EQ(env.mod.settings.RecallDB, value) << text;
        EXPECT_EQ(env.mod.settings.LogErrors, value) << text;
        EXPECT_TRUE(env.store.writes.isEmpty()) << text;
        EXPECT_EQ(env.stored("RecallDB"), QString::fromLatin1(text));
    }
}

struct BadText {
    const char* key;
    const char* stored;
    qint32 number;
};

class UnconvertibleSetting : public ::testing::TestWithParam<BadText> {};

TEST_P(UnconvertibleSetting, StopsThereLeavingLaterKeysAtDefaultAndTheStoreAsItWas) {
    const BadText& c = GetParam();
    RecordingEnvironment env;
    env.prepare({});
    // Every key holds a valid non-default value, then one is spoiled.
    for (const auto& [key, text] : NonDefaults)
        env.store.SettingsStore::write(QStringLiteral("Options"), QLatin1String(key), QLatin1String(text));
    env.store.SettingsStore::write(QStringLiteral("Options"), QLatin1String(c.key), QLatin1String(c.stored));
    try {
        SettingsLoader::load(env.mod);
        FAIL() << "no error for " << c.stored;
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), c.number);
    }
    EXPECT_TRUE(env.store.writes.isEmpty());
    EXPECT_EQ(env.stored(c.key), QString::fromUtf8(c.stored));
    bool reached = false;
    const Settings defaults;
    for (const SettingKey& key : SettingsLoader::keys()) {
        reached = reached || qstrcmp(key.name, c.key) == 0;
        const QString text = SettingsLoader::storedText(env.mod.settings, key);
        EXPECT_EQ(text, reached ? SettingsLoader::storedText(defaults, key) : env.stored(key.name))
            << key.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    TypeMismatchAndOverflow, UnconvertibleSetting,
    ::testing::Values(BadText{"MaxRecords", "abc", 13}, BadText{"ConnTimeout", "32768", 6},
                      BadText{"MaxRecords", "3000000000", 6}, BadText{"RefreshRecords", "1,5", 13}),
    [](const auto& info) { return rowName(std::string(info.param.key) + "_" + info.param.stored); });

} // namespace
