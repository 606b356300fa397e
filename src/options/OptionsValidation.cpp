#include "options/OptionsValidation.h"

#include "common/modMain.h"

namespace {

// One text box: its two checks (numeric, then range) share the field and tab.
struct NumberField {
    const char* name;
    QString OptionsValues::*text;
    qint32 minimum;
    qint32 maximum;
    int tab;
    const char* subject; // the start of both warnings
};

const NumberField Fields[] = {
    {"txtTimeout", &OptionsValues::ConnTimeout, 1, 999, 1, "Limit czasu na połączenie z bazą danych"},
    {"txtMaxRecords", &OptionsValues::MaxRecords, 1, 9999999, 1,
     "Maksymalna liczba rekordów zwracanych przez kwerendę"},
    {"txtRefreshRecords", &OptionsValues::RefreshRecords, 1, 99999, 1, "Odświeżanie wyników wyszukiwania"},
    {"txtFields1", &OptionsValues::Fields1, 2, 15, 2, "Domyślna liczba pól wyszukiwania krzyżówką"},
    {"txtFields3", &OptionsValues::Fields3, 1, 7, 2, "Domyślna liczba pól wyszukiwania scrabble"},
};

constexpr int FirstSearchTabField = 3;

// Digits only, so a text too long for any integer is simply out of range.
bool inRange(const QString& digits, qint32 minimum, qint32 maximum) {
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok);
    return ok && value >= qulonglong(minimum) && value <= qulonglong(maximum);
}

} // namespace

std::optional<OptionsFailure> OptionsValidation::validate(const OptionsValues& values, Scope scope) {
    const int first = scope == Scope::All ? 0 : FirstSearchTabField;
    for (int i = first; i < int(std::size(Fields)); ++i) {
        const NumberField& field = Fields[i];
        const QString& text = values.*field.text;
        const QString subject = QString::fromUtf8(field.subject);
        const int numericCheck = 2 * i + 1;
        if (!modMain::CheckNumeric(text))
            return OptionsFailure{numericCheck, subject + QStringLiteral(" nie jest wartością numeryczną."),
                                  field.tab, QString::fromLatin1(field.name)};
        if (!inRange(text, field.minimum, field.maximum))
            return OptionsFailure{numericCheck + 1,
                                  subject + QStringLiteral(" musi być wartością z przedziału <%1, %2>.")
                                                .arg(field.minimum)
                                                .arg(field.maximum),
                                  field.tab, QString::fromLatin1(field.name)};
    }
    return std::nullopt;
}

qint32 OptionsValidation::number(const QString& text) {
    return text.toInt();
}
