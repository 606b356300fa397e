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

struct RecordingEnvironment {
    QTemporaryDir dir;
    TestPrompts prompts;
    TestPlatform platform;
    RecordingStore store{dir.path() + QStringLiteral("/Literon 2.0.ini")};
    modMain mod{prompts, platform, store};

    void set(const char* key, const char* text) {
        store.SettingsStore::write(QStringLiteral("Options"), QLatin1String(key), QString::fromUtf8(text));
    }
    QString stored(const char* key) const {
        return store.read(QStringLiteral("Options"), QLatin1String(key));
    }
};

bool sameSettings(const Settings& a, const Settings& b) {
    for (const SettingKey& key : SettingsLoader::keys())
        if (SettingsLoader::storedText(a, key) != SettingsLoader::storedText(b, key))
            return false;
    return true;
}

TEST(SettingsLoader, FirstStartWritesEveryDefaultInTableOrder) {
    RecordingEnvironment env;
    env.mod.settings.LogErrors = false; // proves load() resets memory first
    env.mod.settings.Fields1 = 3;
    SettingsLoader::load(env.mod);
    const QStringList expected = {
        "Options/RecallDB=0",       "Options/OpenReadOnly=0",     "Options/ConnTimeout=60",
        "Options/MaxRecords=5000",  "Options/RefreshRecords=100", "Options/IgnoreMaxRecords=0",
        "Options/Fields1=8",        "Options/Anagrams=0",         "Options/Descriptions=0",
        "Options/Fields3=7",        "Options/Blanks=0",           "Options/LogErrors=1",
        "Options/LogQueryErrors=0", "Options/LogConnErrors=0"};
    EXPECT_EQ(env.store.writes, expected);
    EXPECT_TRUE(sameSettings(env.mod.settings, Settings()));
    EXPECT_TRUE(env.mod.settings.LogErrors);
    EXPECT_TRUE(env.prompts.shown.isEmpty());
    // A second start finds every key and writes nothing.
    env.store.writes.clear();
    SettingsLoader::load(env.mod);
    EXPECT_TRUE(env.store.writes.isEmpty());
}

// Every key with a valid text away from its default.
const char* const NonDefaults[][2] = {
    {"RecallDB", "1"},        {"OpenReadOnly", "1"},     {"ConnTimeout", "30"}, {"MaxRecords", "700"},
    {"RefreshRecords", "50"}, {"IgnoreMaxRecords", "1"}, {"Fields1", "5"},      {"Anagrams", "1"},
    {"Descriptions", "1"},    {"Fields3", "3"},          {"Blanks", "1"},       {"LogErrors", "0"},
    {"LogQueryErrors", "1"},  {"LogConnErrors", "1"}};

// Every member by its own name, so that a key read into another member shows.
QString members(const Settings& s) {
    return QStringLiteral(" RecallDB=%1 OpenReadOnly=%2 ConnTimeout=%3 MaxRecords=%4 RefreshRecords=%5 "
                          "IgnoreMaxRecords=%6 Fields1=%7 Anagrams=%8 Descriptions=%9 ")
               .arg(s.RecallDB)
               .arg(s.OpenReadOnly)
               .arg(s.ConnTimeout)
               .arg(s.MaxRecords)
               .arg(s.RefreshRecords)
               .arg(s.IgnoreMaxRecords)
               .arg(s.Fields1)
               .arg(s.Anagrams)
               .arg(s.Descriptions) +
           QStringLiteral("Fields3=%1 Blanks=%2 LogErrors=%3 LogQueryErrors=%4 LogConnErrors=%5")
               .arg(s.Fields3)
               .arg(s.Blanks)
               .arg(s.LogErrors)
               .arg(s.LogQueryErrors)
               .arg(s.LogConnErrors);
}

TEST(SettingsLoader, EachKeyAloneReachesItsOwnMember) {
    ASSERT_EQ(std::size(NonDefaults), size_t(SettingsLoader::keys().size()));
    for (const auto& [key, text] : NonDefaults) {
        RecordingEnvironment env;
        env.set(key, text);
        SettingsLoader::load(env.mod);
        const QString expected =
            members(Settings())
                .replace(QRegularExpression(QStringLiteral(" %1=\\S*").arg(QLatin1String(key))),
                         QStringLiteral(" %1=%2").arg(QLatin1String(key), QLatin1String(text)));
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

qint32 valueOf(const Settings& s, const char* key) {
    for (const SettingKey& k : SettingsLoader::keys())
        if (qstrcmp(k.name, key) == 0)
            return SettingsLoader::storedText(s, k).toInt();
    ADD_FAILURE() << "no key " << key;
    return -1;
}

TEST_P(NumericSetting, AcceptedOrRepaired) {
    const NumericCase& c = GetParam();
    RecordingEnvironment env;
    SettingsLoader::load(env.mod); // every key present
    env.set(c.key, c.stored);
    env.store.writes.clear();
    SettingsLoader::load(env.mod);
    EXPECT_EQ(valueOf(env.mod.settings, c.key), c.inMemory);
    if (c.storedAfter) {
        EXPECT_EQ(env.store.writes, QStringList(QStringLiteral("Options/%1=%2").arg(c.key, c.storedAfter)));
        EXPECT_EQ(env.stored(c.key), QString::fromLatin1(c.storedAfter));
    } else {
        EXPECT_TRUE(env.store.writes.isEmpty());
        EXPECT_EQ(env.stored(c.key), QString::fromUtf8(c.stored));
    }
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, NumericSetting,
    ::testing::Values(
        NumericCase{"ConnTimeout", "0", 60, "60"}, NumericCase{"ConnTimeout", "1000", 60, "60"},
        NumericCase{"ConnTimeout", "1", 1, nullptr}, NumericCase{"ConnTimeout", "999", 999, nullptr},
        NumericCase{"Fields1", "1", 8, "8"}, NumericCase{"Fields1", "16", 8, "8"},
        NumericCase{"Fields1", "2", 2, nullptr}, NumericCase{"Fields3", "8", 7, "7"},
        NumericCase{"RefreshRecords", "99999", 99999, nullptr},
        NumericCase{"MaxRecords", "9999999", 9999999, nullptr}, NumericCase{"Fields3", "0", 7, "7"},
        NumericCase{"Fields1", "15", 15, nullptr}, NumericCase{"RefreshRecords", "100000", 100, "100"},
        NumericCase{"MaxRecords", "10000000", 5000, "5000"},
        // The classic conversion: blanks ignored, halves rounded to even.
        NumericCase{"MaxRecords", " 250 ", 250, nullptr}, NumericCase{"Fields1", "12.5", 12, nullptr},
        NumericCase{"Fields1", "13.5", 14, nullptr}, NumericCase{"ConnTimeout", "1e2", 100, nullptr}),
    [](const auto& info) { return rowName(std::string(info.param.key) + "_" + info.param.stored); });

TEST(SettingsLoader, BooleanIsTrueOnlyForExactlyOneAndNeverRewritten) {
    const struct {
        const char* text;
        bool value;
    } cases[] = {{"1", true}, {"0", false}, {"-1", false}, {"1 ", false}, {"01", false}};
    for (const auto& c : cases) {
        RecordingEnvironment env;
        SettingsLoader::load(env.mod);
        env.set("RecallDB", c.text);
        env.set("LogErrors", c.text);
        env.store.writes.clear();
        SettingsLoader::load(env.mod);
        EXPECT_EQ(env.mod.settings.RecallDB, c.value) << c.text;
        EXPECT_EQ(env.mod.settings.LogErrors, c.value) << c.text;
        EXPECT_TRUE(env.store.writes.isEmpty()) << c.text;
        EXPECT_EQ(env.stored("RecallDB"), QString::fromLatin1(c.text));
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
    SettingsLoader::load(env.mod);
    // Every key holds a valid non-default value, then one is spoiled.
    for (const auto& [key, text] : NonDefaults)
        env.set(key, text);
    env.set(c.key, c.stored);
    env.store.writes.clear();
    try {
        SettingsLoader::load(env.mod);
        FAIL() << "no error for " << c.stored;
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), c.number);
        EXPECT_FALSE(error.description().isEmpty());
    }
    EXPECT_TRUE(env.store.writes.isEmpty());
    EXPECT_EQ(env.stored(c.key), QString::fromUtf8(c.stored));
    bool reached = false;
    const Settings defaults;
    for (const SettingKey& key : SettingsLoader::keys()) {
        reached = reached || qstrcmp(key.name, c.key) == 0;
        const QString text = SettingsLoader::storedText(env.mod.settings, key);
        if (reached)
            EXPECT_EQ(text, SettingsLoader::storedText(defaults, key)) << key.name;
        else
            EXPECT_EQ(text, env.stored(key.name)) << key.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    TypeMismatchAndOverflow, UnconvertibleSetting,
    ::testing::Values(BadText{"MaxRecords", "abc", 13}, BadText{"ConnTimeout", "32768", 6},
                      BadText{"MaxRecords", "3000000000", 6}, BadText{"RefreshRecords", "1,5", 13}),
    [](const auto& info) { return rowName(std::string(info.param.key) + "_" + info.param.stored); });

} // namespace
