#include "options/SettingsLoader.h"

#include "common/modMain.h"
#include "db/AppError.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

SettingKey boolKey(const char* name, const char* defaultText, bool Settings::*field) {
    return {name, SettingKey::Boolean, defaultText, 0, 0, field, nullptr, nullptr};
}

SettingKey int16Key(const char* name, const char* defaultText, qint32 min, qint32 max,
                    qint16 Settings::*field) {
    return {name, SettingKey::Int16, defaultText, min, max, nullptr, field, nullptr};
}

SettingKey int32Key(const char* name, const char* defaultText, qint32 min, qint32 max,
                    qint32 Settings::*field) {
    return {name, SettingKey::Int32, defaultText, min, max, nullptr, nullptr, field};
}

} // namespace

const QList<SettingKey>& SettingsLoader::keys() {
    static const QList<SettingKey> table = {
        boolKey("RecallDB", "0", &Settings::RecallDB),
        boolKey("OpenReadOnly", "0", &Settings::OpenReadOnly),
        int16Key("ConnTimeout", "60", 1, 999, &Settings::ConnTimeout),
        int32Key("MaxRecords", "5000", 1, 9999999, &Settings::MaxRecords),
        int32Key("RefreshRecords", "100", 1, 99999, &Settings::RefreshRecords),
        boolKey("IgnoreMaxRecords", "0", &Settings::IgnoreMaxRecords),
        int16Key("Fields1", "8", 2, 15, &Settings::Fields1),
        boolKey("Anagrams", "0", &Settings::Anagrams),
        boolKey("Descriptions", "0", &Settings::Descriptions),
        int16Key("Fields3", "7", 1, 7, &Settings::Fields3),
        boolKey("Blanks", "0", &Settings::Blanks),
        boolKey("LogErrors", "1", &Settings::LogErrors),
        boolKey("LogQueryErrors", "0", &Settings::LogQueryErrors),
        boolKey("LogConnErrors", "0", &Settings::LogConnErrors),
    };
    return table;
}

qint32 SettingsLoader::toInteger(const QString& text, SettingKey::Kind kind) {
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        throw AppError(AppError::TypeMismatch, QStringLiteral("Niezgodność typów"));
    bool ok = false;
    const double value = std::nearbyint(trimmed.toDouble(&ok)); // the default rounding mode is half to even
    const double low =
        kind == SettingKey::Int16 ? std::numeric_limits<qint16>::min() : std::numeric_limits<qint32>::min();
    const double high =
        kind == SettingKey::Int16 ? std::numeric_limits<qint16>::max() : std::numeric_limits<qint32>::max();
    if (!ok || !std::isfinite(value) || value < low || value > high)
        throw AppError(AppError::Overflow, QStringLiteral("Przepełnienie"));
    return static_cast<qint32>(value);
}

void SettingsLoader::load(modMain& mod) {
    mod.settings = Settings();
    const QString section = QString::fromLatin1(Section);
    for (const SettingKey& key : keys()) {
        const QString name = QString::fromLatin1(key.name);
        const QString text = mod.ReadRegistry(section, name);
        if (text.isEmpty()) {
            mod.WriteRegistry(section, name, QString::fromLatin1(key.defaultText));
            continue;
        }
        if (key.kind == SettingKey::Boolean) {
            mod.settings.*key.boolField = text == QLatin1String("1");
            continue;
        }
        const qint32 value = toInteger(text, key.kind);
        if (value < key.minimum || value > key.maximum) {
            mod.WriteRegistry(section, name, QString::fromLatin1(key.defaultText));
            continue;
        }
        if (key.kind == SettingKey::Int16)
            mod.settings.*key.int16Field = static_cast<qint16>(value);
        else
            mod.settings.*key.int32Field = value;
    }
}

QString SettingsLoader::storedText(const Settings& settings, const SettingKey& key) {
    switch (key.kind) {
    case SettingKey::Boolean:
        return settings.*key.boolField ? QStringLiteral("1") : QStringLiteral("0");
    case SettingKey::Int16:
        return QString::number(settings.*key.int16Field);
    case SettingKey::Int32:
        return QString::number(settings.*key.int32Field);
    }
    return QString();
}
