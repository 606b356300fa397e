#include "cli/CliCommand.h"
#include "cli/SearchCommand.h"

namespace {

std::optional<SearchRequest> query(const CliOptions& options, QString&) {
    return QuerySearch{options.positional().at(1)};
}

const QString usage =
    QStringLiteral("query PLIK SQL [--max N] [--ignore-max] [--password HASŁO] [--read-only] [--repeat N]   "
                   "kwerenda SELECT: nagłówek z nazwami pól, potem wiersze");

// --ignore-max sends the statement without an inserted TOP, as the
// IgnoreMaxRecords setting does.
const CliCommand::Registrar registrar(QStringLiteral("query"), usage, [](const QStringList& args) {
    return SearchCommand::run({usage, 2, {QStringLiteral("ignore-max")}, {}, true, query}, args);
});

} // namespace
