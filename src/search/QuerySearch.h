#pragma once

#include "search/ValidationFailure.h"

#include <QString>

#include <optional>

// The query search: the text of txtQuery as typed.
struct QuerySearch {
    QString text;

    // Not empty (spaces count as text), and beginning with SELECT in any case.
    std::optional<ValidationFailure> validate() const;

    // The statement sent: the text without leading and trailing spaces, and,
    // unless the limit is ignored, "SELECT TOP n " put in place of its first six
    // characters when what follows them does not begin with the letters TOP.
    // Purely textual: "SELECT DISTINCT x" becomes "SELECT TOP n DISTINCT x".
    QString sentText(qint32 maxRecords, bool ignoreMaxRecords) const;
};
