#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "common/Platform.h"
#include "db/AppError.h"
#include "db/ConnectionString.h"
#include "diagnostics/DatabaseStats.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace {

// Only the tick counter is used by the statistics.
class CliClock : public Platform {
public:
    CliClock() { m_ticks.start(); }
    QString programFolder() const override { return QString(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 tickCount() const override { return m_ticks.elapsed(); }
    int shellOpen(const QString&) override { return 0; }

private:
    QElapsedTimer m_ticks;
};

const QString usage = QStringLiteral("stats PLIK [--password HASŁO] [--read-only]   "
                                     "statystyka bazy: nazwa<TAB>wartość w pięciu wierszach");

int runStats(const QStringList& args) {
    QTextStream err(stderr);
    const CliOptions options(args, {QStringLiteral("password")}, {QStringLiteral("read-only")});
    if (!options.ok() || options.positional().size() != 1) {
        err << (options.ok() ? QStringLiteral("Użycie: literon-cli ") + usage : options.error()) << "\n";
        return 2;
    }
    const QString path = options.positional().first().trimmed();
    DatabaseStats::Request request;
    request.connString = ConnectionString::build(options.has(QStringLiteral("read-only")), path,
                                                 options.value(QStringLiteral("password")));
    request.dbPath = path;
    // The window's regional format, so both show the same texts.
    const QLocale locale(QLocale::Polish, QLocale::Poland);
    CliClock clock;
    QTextStream out(stdout);
    try {
        DatabaseStats::gather(request, clock, locale, [&](DatabaseStats::Row row, const QString& text) {
            out << DatabaseStats::caption(row).chopped(1) << "\t" << text.chopped(1) << "\n";
            out.flush();
        });
    } catch (const AppError& error) {
        err << error.number() << "\t" << error.description() << "\n";
        return 1;
    }
    return 0;
}

const CliCommand::Registrar registrar(QStringLiteral("stats"), usage, runStats);

} // namespace
