#include "cli/CliCommand.h"
#include "cli/SearchCommand.h"

namespace {

std::optional<SearchRequest> pattern(const CliOptions& options, QString&) {
    return PatternSearch{options.positional().at(1), options.has(QStringLiteral("descriptions"))};
}

const QString usage = QStringLiteral(
    "pattern PLIK WZORZEC [--descriptions] [--max N] [--password HASŁO] [--read-only] [--repeat N]   "
    "wzorzec z \"?\" i \"*\", także w opisach");

const CliCommand::Registrar registrar(QStringLiteral("pattern"), usage, [](const QStringList& args) {
    return SearchCommand::run({usage, 2, {QStringLiteral("descriptions")}, {}, false, pattern}, args);
});

} // namespace
