#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "db/AppError.h"
#include "db/native/NativeDatabase.h"

#include <QTextStream>

namespace {

int runCreate(const QStringList& args) {
    QTextStream err(stderr);
    const CliOptions options(args, {QStringLiteral("password")}, {});
    if (!options.ok() || options.positional().size() != 1) {
        err << (options.ok() ? QStringLiteral("Użycie: literon-cli create PLIK [--password HASŁO]")
                             : options.error())
            << "\n";
        return 2;
    }
    const QString path = options.positional().first();
    try {
        NativeDatabase::create(path, options.value(QStringLiteral("password")));
    } catch (const AppError& e) {
        err << "Baza danych nie została utworzona. " << e.description() << "\n";
        return 1;
    }
    return 0;
}

const CliCommand::Registrar registrar(QStringLiteral("create"),
                                      QStringLiteral("create PLIK [--password HASŁO]   tworzy pusty słownik"),
                                      runCreate);

} // namespace
