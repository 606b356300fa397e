#include "options/OptionsSave.h"
#include "options/OptionsValues.h"
#include "options/SettingsLoader.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

// Remembers the order of writes, which the INI file itself does not keep.
class OrderedStore : public SettingsStore {
public:
    using SettingsStore::SettingsStore;
    void write(const QString& section, const QString& key, const QString& value) override {
        writes << key + QLatin1Char('=') + value;
        SettingsStore::write(section, key, value);
    }
    QStringList writes;
};

struct SaveEnvironment {
    QTemporaryDir dir;
    TestPrompts prompts;
    TestPlatform platform;
    OrderedStore store{dir.path() + QStringLiteral("/Literon 2.0.ini")};
    modMain mod{prompts, platform, store};
};

TEST(OptionsSave, StoresTheFourteenKeysInOrderAsTypedAndLoadsThemIntoMemory) {
    SaveEnvironment env;
    // Every value away from its default, numbers with leading zeros.
    OptionsValues v;
    v.RecallDB = v.OpenReadOnly = v.IgnoreMaxRecords = v.Anagrams = v.Descriptions = v.Blanks = true;
    v.ConnTimeout = QStringLiteral("030");
    v.MaxRecords = QStringLiteral("10");
    v.RefreshRecords = QStringLiteral("00007");
    v.Fields1 = QStringLiteral("08");
    v.Fields3 = QStringLiteral("3");
    v.LogErrors = v.LogQueryErrors = false;
    v.LogConnErrors = true;
    OptionsSave::save(env.mod, v);
    const QStringList expected = {
        "RecallDB=1",         "OpenReadOnly=1", "ConnTimeout=030",  "MaxRecords=10",  "RefreshRecords=00007",
        "IgnoreMaxRecords=1", "Fields1=08",     "Anagrams=1",       "Descriptions=1", "Fields3=3",
        "Blanks=1",           "LogErrors=0",    "LogQueryErrors=0", "LogConnErrors=1"};
    EXPECT_EQ(env.store.writes, expected);
    EXPECT_EQ(env.store.read("Options", "Fields1"), QStringLiteral("08"));

    // Numbers as numbers; the loader's mapping of each key to its member has its own test.
    const Settings saved = env.mod.settings;
    EXPECT_EQ(saved.ConnTimeout, 30);
    EXPECT_EQ(saved.RefreshRecords, 7);
    EXPECT_EQ(saved.Fields1, 8);
    EXPECT_FALSE(saved.LogErrors);
    EXPECT_TRUE(saved.LogConnErrors);
    // What was saved loads back unchanged at the next start.
    SettingsLoader::load(env.mod);
    for (const SettingKey& key : SettingsLoader::keys())
        EXPECT_EQ(SettingsLoader::storedText(env.mod.settings, key), SettingsLoader::storedText(saved, key))
            << key.name;
    EXPECT_TRUE(env.prompts.shown.isEmpty());
}

TEST(OptionsValues, DependantsOfLoggingStayUncheckedWhileLoggingIsOff) {
    Settings s;
    s.LogErrors = false;
    s.LogQueryErrors = true;
    s.LogConnErrors = true;
    EXPECT_FALSE(OptionsValues::fromSettings(s).LogQueryErrors);
    EXPECT_FALSE(OptionsValues::fromSettings(s).LogConnErrors);
    s.LogErrors = true;
    EXPECT_TRUE(OptionsValues::fromSettings(s).LogQueryErrors);
    EXPECT_TRUE(OptionsValues::fromSettings(s).LogConnErrors);
}

} // namespace
