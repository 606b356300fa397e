#pragma once

#include <QString>
#include <QStringList>

// Runs the built literon-cli with the given arguments and collects its output.
struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args);
