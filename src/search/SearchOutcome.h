#pragma once

#include "db/AppError.h"
#include "search/SearchKind.h"

#include <QString>

#include <optional>

class modMain;

// How a search run ended and what it counted.
struct SearchOutcome {
    enum class End {
        Completed, // end of rows or the MaxRecords limit
        Stopped,   // the stop flag was seen at a loop test
        Failed,    // an error left the run: the error end
    };

    SearchKind kind = SearchKind::Crossword;
    End end = End::Completed;
    qint32 rowsRead = 0;
    qint32 wordsListed = 0; // the count panel 4 shows
    bool limitReached = false;
    std::optional<AppError> error;
    // The error came from the user's own query, while it was opened or read;
    // the list then ends empty and without columns.
    bool errorInUserQuery = false;

    bool failed() const { return end == End::Failed; }
    // Errors of the user's own query reach the error log only with LogQueryErrors on.
    bool logsError(bool logQueryErrors) const { return failed() && (!errorInUserQuery || logQueryErrors); }
    // The error end's report: shows the error, then logs it with the search's
    // place text when it should be logged. Nothing for a run that did not fail.
    void reportError(modMain& mod) const;
};
