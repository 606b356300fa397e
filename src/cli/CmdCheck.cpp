#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "db/ConnectionString.h"
#include "db/SchemaCheck.h"

#include <QTextStream>

namespace {

int runCheck(const QStringList& args) {
    QTextStream err(stderr);
    const CliOptions options(args, {QStringLiteral("password")}, {QStringLiteral("read-only")});
    if (!options.ok() || options.positional().size() != 1) {
        err << (options.ok()
                    ? QStringLiteral("Użycie: literon-cli check PLIK [--password HASŁO] [--read-only]")
                    : options.error())
            << "\n";
        return 2;
    }
    const QString path = options.positional().first().trimmed();
    const QString connection = ConnectionString::build(options.has(QStringLiteral("read-only")), path,
                                                       options.value(QStringLiteral("password")));
    const SchemaCheck::Result result = SchemaCheck::run(path, connection);
    QTextStream out(stdout);
    out << result.code << "\t" << SchemaCheck::DBError(result.code) << "\n";
    if (result.error)
        err << result.error->number() << "\t" << result.error->description() << "\n";
    return result.code == 0 ? 0 : 1;
}

const CliCommand::Registrar registrar(
    QStringLiteral("check"),
    QStringLiteral("check PLIK [--password HASŁO] [--read-only]   sprawdza plik i schemat słownika"),
    runCheck);

} // namespace
