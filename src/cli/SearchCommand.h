#pragma once

#include "cli/CliOptions.h"
#include "search/SearchRequest.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the four search commands share: the options --password, --read-only,
// --max N (MaxRecords) and --repeat N (the median time of runs 2..N on stderr), the window's own checks
// (refused: the warning text on stderr, exit 2), one run of the search engine per repetition into the same
// list model the window uses, and the output in the list's order.
namespace SearchCommand {

struct Definition {
    QString usage;            // "crossword PLIK LITERY [--anagram] [--max N] ..."
    int positionals = 0;      // the file included
    QStringList flags;        // the command's own flags ("anagram", ...)
    QStringList withValue;    // the command's own options with a value
    bool printHeader = false; // a first line of column captions (query results)
    // Builds the search from the arguments after the file; an argument the
    // window could never produce sets `error` (exit 2).
    std::function<std::optional<SearchRequest>(const CliOptions& options, QString& error)> makeRequest;
};

int run(const Definition& definition, const QStringList& args);

// Letter or rack fields from one character per field, "?" for an empty field.
// Letters are upper-cased as the fields show them; anything else is refused.
std::optional<QStringList> fieldsFrom(const QString& text);

} // namespace SearchCommand
