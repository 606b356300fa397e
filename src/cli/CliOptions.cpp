#include "cli/CliOptions.h"

CliOptions::CliOptions(const QStringList& args, const QStringList& withValue, const QStringList& flags) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            m_positional << arg;
            continue;
        }
        const QString name = arg.mid(2);
        if (withValue.contains(name)) {
            if (i + 1 >= args.size()) {
                m_error = QStringLiteral("Opcja %1 wymaga wartości.").arg(arg);
                return;
            }
            m_values.insert(name, args.at(++i));
        } else if (flags.contains(name)) {
            m_values.insert(name, QStringLiteral("1"));
        } else {
            m_error = QStringLiteral("Nieznana opcja: %1").arg(arg);
            return;
        }
    }
}
