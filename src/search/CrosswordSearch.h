#pragma once

#include "search/ValidationFailure.h"

#include <QString>
#include <QStringList>

#include <optional>

// The crossword search as the window reads it: the texts of the active letter
// fields T(0)..T(n-1), an empty text for an empty field, and the anagram option.
struct CrosswordSearch {
    QStringList fields;
    bool anagrams = false;

    int length() const { return static_cast<int>(fields.size()); }

    // Letter mode has no checks; anagram mode wants every active field filled.
    std::optional<ValidationFailure> validate() const;

    // Letter mode: each field's letter, "_" for an empty field.
    QString likePattern() const;
    // Anagram mode: the letters of the fields joined in field order.
    QString letterPool() const;
    QString sql(qint32 maxRecords) const;

    // True when the upper-cased word uses exactly the pool's letters, repeated
    // letters counted (the pool ALA takes ALA, not LAL).
    static bool isAnagram(const QString& word, const QString& pool);
};
