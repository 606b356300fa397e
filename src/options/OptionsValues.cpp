#include "options/OptionsValues.h"

#include <QLatin1String>

namespace {

struct Field {
    const char* key;
    bool OptionsValues::*flag;
    QString OptionsValues::*number;
};

constexpr Field Fields[] = {
    {"RecallDB", &OptionsValues::RecallDB, nullptr},
    {"OpenReadOnly", &OptionsValues::OpenReadOnly, nullptr},
    {"ConnTimeout", nullptr, &OptionsValues::ConnTimeout},
    {"MaxRecords", nullptr, &OptionsValues::MaxRecords},
    {"RefreshRecords", nullptr, &OptionsValues::RefreshRecords},
    {"IgnoreMaxRecords", &OptionsValues::IgnoreMaxRecords, nullptr},
    {"Fields1", nullptr, &OptionsValues::Fields1},
    {"Anagrams", &OptionsValues::Anagrams, nullptr},
    {"Descriptions", &OptionsValues::Descriptions, nullptr},
    {"Fields3", nullptr, &OptionsValues::Fields3},
    {"Blanks", &OptionsValues::Blanks, nullptr},
    {"LogErrors", &OptionsValues::LogErrors, nullptr},
    {"LogQueryErrors", &OptionsValues::LogQueryErrors, nullptr},
    {"LogConnErrors", &OptionsValues::LogConnErrors, nullptr},
};

} // namespace

OptionsValues OptionsValues::fromSettings(const Settings& s) {
    OptionsValues v;
    v.RecallDB = s.RecallDB;
    v.OpenReadOnly = s.OpenReadOnly;
    v.ConnTimeout = QString::number(s.ConnTimeout);
    v.MaxRecords = QString::number(s.MaxRecords);
    v.RefreshRecords = QString::number(s.RefreshRecords);
    v.IgnoreMaxRecords = s.IgnoreMaxRecords;
    v.Fields1 = QString::number(s.Fields1);
    v.Anagrams = s.Anagrams;
    v.Descriptions = s.Descriptions;
    v.Fields3 = QString::number(s.Fields3);
    v.Blanks = s.Blanks;
    // The two dependants are only ever ticked while application errors are logged.
    v.LogErrors = s.LogErrors;
    v.LogQueryErrors = s.LogErrors && s.LogQueryErrors;
    v.LogConnErrors = s.LogErrors && s.LogConnErrors;
    return v;
}

QString OptionsValues::storedText(const QString& key) const {
    for (const Field& field : Fields) {
        if (key != QLatin1String(field.key))
            continue;
        if (field.flag)
            return this->*field.flag ? QStringLiteral("1") : QStringLiteral("0");
        return this->*field.number;
    }
    return QString();
}
