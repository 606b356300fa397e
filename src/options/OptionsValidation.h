#pragma once

#include "options/OptionsValues.h"

#include <QString>

#include <optional>

// The first of the ten checks of the options dialog's numbers that fails: its
// number (1 to 10), the warning, the tab to select (1 to 3) and the text box to
// focus, by its object name.
struct OptionsFailure {
    int check = 0;
    QString message;
    int tab = 0;
    QString field;

    bool operator==(const OptionsFailure&) const = default;
};

class OptionsValidation {
public:
    // Save checks all five numbers; Apply only the two of the search tab (checks 7 to 10).
    enum class Scope { All, SearchTab };

    static std::optional<OptionsFailure> validate(const OptionsValues& values, Scope scope);

    // The number a text box holds once it has passed its checks.
    static qint32 number(const QString& text);
};
