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

// Every value away from its default, numbers with leading zeros.
OptionsValues changedValues() {
    OptionsValues v;
    v.RecallDB = true;
    v.OpenReadOnly = true;
    v.ConnTimeout = QStringLiteral("030");
    v.MaxRecords = QStringLiteral("10");
    v.RefreshRecords = QStringLiteral("00007");
    v.IgnoreMaxRecords = true;
    v.Fields1 = QStringLiteral("08");
    v.Anagrams = true;
    v.Descriptions = true;
    v.Fields3 = QStringLiteral("3");
    v.Blanks = true;
    v.LogErrors = false;
    v.LogQueryErrors = false;
    v.LogConnErrors = true;
    return v;
}

TEST(OptionsSave, StoresTheFourteenKeysInOrderAsTyped) {
    SaveEnvironment env;
    OptionsSave::save(env.mod, changedValues());
    const QStringList expected = {
        "RecallDB=1",         "OpenReadOnly=1", "ConnTimeout=030",  "MaxRecords=10",  "RefreshRecords=00007",
        "IgnoreMaxRecords=1", "Fields1=08",     "Anagrams=1",       "Descriptions=1", "Fields3=3",
        "Blanks=1",           "LogErrors=0",    "LogQueryErrors=0", "LogConnErrors=1"};
    EXPECT_EQ(env.store.writes, expected);
    EXPECT_EQ(env.store.read("Options", "Fields1"), QStringLiteral("08"));
}

TEST(OptionsSave, SetsTheSettingsInMemoryFromWhatWasStored) {
    SaveEnvironment env;
    OptionsSave::save(env.mod, changedValues());
    // Numbers as numbers; the order of the keys is proved above, the loader's
    // mapping of each key to its member in its own test.
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
    const OptionsValues off = OptionsValues::fromSettings(s);
    EXPECT_FALSE(off.LogQueryErrors);
    EXPECT_FALSE(off.LogConnErrors);
    s.LogErrors = true;
    const OptionsValues on = OptionsValues::fromSettings(s);
    EXPECT_TRUE(on.LogQueryErrors);
    EXPECT_TRUE(on.LogConnErrors);
}

} // namespace
