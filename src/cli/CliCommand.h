#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

// One literon-cli command. Each command lives in its own Cmd*.cpp and registers
// itself with a static CliCommand::Registrar, so commands can be added without
// touching main.cpp.
struct CliCommand {
    QString name;
    QString usage; // one line: "crossword PLIK LITERY [--anagram] [--max N]"
    // Gets the arguments after the command name; returns the exit status.
    std::function<int(const QStringList&)> run;

    static std::map<QString, CliCommand>& registry();

    struct Registrar {
        Registrar(const QString& name, const QString& usage, std::function<int(const QStringList&)> run);
    };
};
