#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QTextStream>

std::map<QString, CliCommand>& CliCommand::registry() {
    static std::map<QString, CliCommand> commands;
    return commands;
}

CliCommand::Registrar::Registrar(const QString& name, const QString& usage,
                                 std::function<int(const QStringList&)> run) {
    registry()[name] = CliCommand{name, usage, std::move(run)};
}

static void printUsage(QTextStream& out) {
    out << "Użycie: literon-cli POLECENIE [ARGUMENTY]\n\nPolecenia:\n";
    for (const auto& [name, command] : CliCommand::registry())
        out << "  " << command.usage << "\n";
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        QTextStream out(stdout);
        printUsage(out);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    const auto it = CliCommand::registry().find(name);
    if (it == CliCommand::registry().end()) {
        err << "Nieznane polecenie: " << name << "\n\n";
        printUsage(err);
        return 2;
    }
    return it->second.run(args);
}
