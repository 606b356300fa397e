#include "cli/CliCommand.h"
#include "cli/SearchCommand.h"

namespace {

constexpr int MinFields = 2;
constexpr int MaxFields = 15;

std::optional<SearchRequest> crossword(const CliOptions& options, QString& error) {
    const std::optional<QStringList> fields = SearchCommand::fieldsFrom(options.positional().at(1));
    if (!fields) {
        error = QStringLiteral("LITERY: same litery alfabetu lub \"?\" dla pustego pola.");
        return std::nullopt;
    }
    if (fields->size() < MinFields || fields->size() > MaxFields) {
        error = QStringLiteral("LITERY: od %1 do %2 pól.").arg(MinFields).arg(MaxFields);
        return std::nullopt;
    }
    return CrosswordSearch{*fields, options.has(QStringLiteral("anagram"))};
}

const QString usage = QStringLiteral(
    "crossword PLIK LITERY [--anagram] [--max N] [--password HASŁO] [--read-only] [--repeat N]   "
    "krzyżówka: jedna litera na pole, \"?\" dla pustego");

const CliCommand::Registrar registrar(QStringLiteral("crossword"), usage, [](const QStringList& args) {
    return SearchCommand::run({usage, 2, {QStringLiteral("anagram")}, {}, false, crossword}, args);
});

} // namespace
