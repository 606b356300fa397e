#include "cli/SearchCommand.h"

#include "common/Settings.h"
#include "common/modMain.h"
#include "db/ConnectionString.h"
#include "search/ResultsModel.h"
#include "search/SearchRun.h"
#include "search/SearchTexts.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace SearchCommand {

namespace {

constexpr qint32 MaxRecordsLimit = 9999999;

// One line per row: tabs and line breaks inside a value would break it.
QString cell(QString text) {
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text;
}

std::optional<qint32> count(const CliOptions& options, const QString& name, qint32 fallback, qint32 highest) {
    if (!options.has(name))
        return fallback;
    const QString text = options.value(name);
    if (!modMain::CheckNumeric(text) || text.size() > 9)
        return std::nullopt;
    const qint32 value = text.toInt();
    if (value < 1 || value > highest)
        return std::nullopt;
    return value;
}

void print(QTextStream& out, const ResultsModel& list, bool header) {
    if (header) {
        QStringList captions;
        for (const ResultColumn& column : list.columns())
            captions << cell(column.caption);
        out << captions.join(QLatin1Char('\t')) << '\n';
    }
    const int columns = list.columnCount();
    for (int row = 0; row < list.rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < columns; ++column)
            texts << cell(list.text(row, column));
        out << texts.join(QLatin1Char('\t')) << '\n';
    }
}

} // namespace

std::optional<QStringList> fieldsFrom(const QString& text) {
    QStringList fields;
    for (const QChar c : text) {
        if (c == QLatin1Char('?'))
            fields << QString();
        else if (modMain::CheckChars(QString(c)))
            fields << QString(modMain::UpperChar(c));
        else
            return std::nullopt;
    }
    return fields;
}

int run(const Definition& definition, const QStringList& args) {
    QTextStream err(stderr);
    const QStringList withValue =
        QStringList{QStringLiteral("password"), QStringLiteral("max"), QStringLiteral("repeat")} +
        definition.withValue;
    const QStringList flags = QStringList{QStringLiteral("read-only")} + definition.flags;
    const CliOptions options(args, withValue, flags);
    if (!options.ok() || options.positional().size() != definition.positionals) {
        err << (options.ok() ? QStringLiteral("Użycie: literon-cli ") + definition.usage : options.error())
            << '\n';
        return 2;
    }

    Settings settings;
    const std::optional<qint32> maxRecords =
        count(options, QStringLiteral("max"), settings.MaxRecords, MaxRecordsLimit);
    if (!maxRecords) {
        err << QStringLiteral("Opcja --max wymaga liczby od 1 do %1.").arg(MaxRecordsLimit) << '\n';
        return 2;
    }
    const std::optional<qint32> repeat = count(options, QStringLiteral("repeat"), 1, 1000);
    if (!repeat) {
        err << QStringLiteral("Opcja --repeat wymaga liczby od 1 do 1000.") << '\n';
        return 2;
    }
    settings.MaxRecords = *maxRecords;
    settings.IgnoreMaxRecords = options.has(QStringLiteral("ignore-max")); // a flag of the query command only

    QString argumentError;
    const std::optional<SearchRequest> request = definition.makeRequest(options, argumentError);
    if (!request) {
        err << argumentError << '\n';
        return 2;
    }
    if (const std::optional<ValidationFailure> failure = validate(*request)) {
        err << failure->message << '\n';
        return 2;
    }

    const QString path = options.positional().first().trimmed();
    const QString connection = ConnectionString::build(options.has(QStringLiteral("read-only")), path,
                                                       options.value(QStringLiteral("password")));
    ResultsModel list;
    std::vector<qint64> times;
    for (int i = 0; i < *repeat; ++i) {
        list.clear();
        SearchRun::Callbacks callbacks;
        callbacks.layout = [&](const ResultLayout& layout) { list.applyLayout(layout); };
        callbacks.rows = [&](ResultRows&& rows) { list.appendRows(std::move(rows)); };
        QElapsedTimer timer;
        timer.start();
        const SearchOutcome outcome = SearchRun(*request, settings).exec(connection, callbacks);
        times.push_back(timer.nsecsElapsed());
        if (outcome.failed()) {
            err << outcome.error->number() << '\t' << outcome.error->description() << '\n';
            return 1;
        }
    }

    QTextStream out(stdout);
    print(out, list, definition.printHeader);
    out.flush();
    if (times.size() >= 2) {
        std::vector<qint64> later(times.begin() + 1, times.end());
        std::sort(later.begin(), later.end());
        const std::size_t n = later.size();
        const double median = n % 2 ? later[n / 2] : (later[n / 2 - 1] + later[n / 2]) / 2.0;
        err << QStringLiteral("Mediana przebiegów 2..%1: %2 ms")
                   .arg(times.size())
                   .arg(median / 1e6, 0, 'f', 3)
            << '\n';
    }
    return 0;
}

} // namespace SearchCommand
