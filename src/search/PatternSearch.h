#pragma once

#include "search/ValidationFailure.h"

#include <QString>

#include <optional>

// The pattern search: the text of txtPattern as typed and the option to search
// the descriptions too.
struct PatternSearch {
    QString pattern;
    bool descriptions = false;

    std::optional<ValidationFailure> validate() const;

    // "*" becomes "%", then "?" becomes "_": the provider's LIKE wildcards.
    static QString toSqlPattern(const QString& pattern);
    // The words matching the pattern as a whole.
    QString wordsSql(qint32 maxRecords) const;
    // The words one of whose descriptions matches the pattern as a whole.
    QString descriptionsSql(qint32 maxRecords) const;
};
