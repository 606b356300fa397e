#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "db/AppError.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/Recordset.h"

#include <QStringList>
#include <QTextStream>

namespace {

QString cellText(const QVariant& value) {
    if (!value.isValid())
        return QString();
    QString text = value.toString();
    // One line per row: tabs and line breaks inside a value would break it.
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

int runQuery(const QStringList& args) {
    QTextStream err(stderr);
    const CliOptions options(args, {QStringLiteral("password")}, {QStringLiteral("read-only")});
    if (!options.ok() || options.positional().size() != 2) {
        err << (options.ok()
                    ? QStringLiteral("Użycie: literon-cli query PLIK SQL [--password HASŁO] [--read-only]")
                    : options.error())
            << "\n";
        return 2;
    }
    const QString path = options.positional().at(0).trimmed();
    const QString sql = options.positional().at(1);
    QTextStream out(stdout);
    try {
        Connection connection;
        connection.open(ConnectionString::build(options.has(QStringLiteral("read-only")), path,
                                                options.value(QStringLiteral("password"))));
        Recordset rs;
        rs.open(sql, connection);
        QStringList header;
        for (int i = 0; i < rs.fieldCount(); ++i)
            header << rs.field(i).name;
        out << header.join(QLatin1Char('\t')) << "\n";
        while (!rs.eof()) {
            QStringList cells;
            for (int i = 0; i < rs.fieldCount(); ++i)
                cells << cellText(rs.value(i));
            out << cells.join(QLatin1Char('\t')) << "\n";
            rs.moveNext();
        }
        rs.close();
        connection.close();
    } catch (const AppError& e) {
        out.flush();
        err << e.number() << "\t" << e.description() << "\n";
        return 1;
    }
    return 0;
}

const CliCommand::Registrar registrar(
    QStringLiteral("query"),
    QStringLiteral("query PLIK SQL [--password HASŁO] [--read-only]   wykonuje jedną instrukcję SQL"),
    runQuery);

} // namespace
