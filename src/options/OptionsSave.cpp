#include "options/OptionsSave.h"

#include "common/modMain.h"
#include "options/OptionsValues.h"
#include "options/SettingsLoader.h"

void OptionsSave::save(modMain& mod, const OptionsValues& values) {
    const QString section = QString::fromLatin1(SettingsLoader::Section);
    for (const SettingKey& key : SettingsLoader::keys()) {
        const QString name = QString::fromLatin1(key.name);
        const QString text = values.storedText(name);
        mod.WriteRegistry(section, name, text);
        switch (key.kind) {
        case SettingKey::Boolean:
            mod.settings.*key.boolField = text == QLatin1String("1");
            break;
        case SettingKey::Int16:
            mod.settings.*key.int16Field = static_cast<qint16>(SettingsLoader::toInteger(text, key.kind));
            break;
        case SettingKey::Int32:
            mod.settings.*key.int32Field = SettingsLoader::toInteger(text, key.kind);
            break;
        }
    }
}
