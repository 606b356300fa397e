#pragma once

#include "common/Settings.h"

#include <QList>
#include <QString>

class modMain;

// One key of section "Options": its name, type, default text and accepted range,
// and where its value lives in Settings. Exactly one of the three fields is set.
struct SettingKey {
    enum Kind { Boolean, Int16, Int32 };

    const char* name;
    Kind kind;
    const char* defaultText;
    qint32 minimum;
    qint32 maximum;
    bool Settings::*boolField;
    qint16 Settings::*int16Field;
    qint32 Settings::*int32Field;
};

// Reads the fourteen settings of section "Options" into memory, writing the
// default of a missing or out-of-range key back to the store.
class SettingsLoader {
public:
    static constexpr const char* Section = "Options";

    // The keys in the order in which they are read and written.
    static const QList<SettingKey>& keys();

    // Defaults first, then each key in order. A numeric text that cannot be
    // converted throws AppError (13 or 6); the keys from there on keep their
    // defaults and the store is left as it is.
    static void load(modMain& mod);

    // The integer a stored text stands for, converted like the classic integer
    // conversion: blanks around it ignored, fractions rounded half to even.
    // Throws AppError 13 (not a number) or 6 (outside the type's range).
    static qint32 toInteger(const QString& text, SettingKey::Kind kind);

    // The text a setting is stored as ("1"/"0" for a Boolean, decimal digits otherwise).
    static QString storedText(const Settings& settings, const SettingKey& key);
};
