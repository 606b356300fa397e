#include "cli/CliCommand.h"
#include "cli/SearchCommand.h"

namespace {

constexpr int MaxRack = 7;

std::optional<SearchRequest> scrabble(const CliOptions& options, QString& error) {
    const std::optional<QStringList> rack = SearchCommand::fieldsFrom(options.positional().at(2));
    if (!rack) {
        error = QStringLiteral("STOJAK: same litery alfabetu lub \"?\" dla blanka.");
        return std::nullopt;
    }
    if (rack->isEmpty() || rack->size() > MaxRack) {
        error = QStringLiteral("STOJAK: od 1 do %1 pól.").arg(MaxRack);
        return std::nullopt;
    }
    return ScrabbleSearch{options.positional().at(1), *rack, options.has(QStringLiteral("blanks"))};
}

const QString usage = QStringLiteral(
    "scrabble PLIK WZORZEC STOJAK [--blanks] [--max N] [--password HASŁO] [--read-only] [--repeat N]   "
    "Scrabble: WYRAZ<TAB>LITERY, \"?\" na stojaku to blank");

const CliCommand::Registrar registrar(QStringLiteral("scrabble"), usage, [](const QStringList& args) {
    return SearchCommand::run({usage, 3, {QStringLiteral("blanks")}, {}, false, scrabble}, args);
});

} // namespace
