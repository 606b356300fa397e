#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "db/AppError.h"
#include "maintenance/DictionaryImport.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <unistd.h>

namespace {

const QString Usage = QStringLiteral("import PLIK ŹRÓDŁO... [--skip-capitalised] [--password HASŁO]");

QString quoted(const QString& path) {
    return QStringLiteral("„%1”").arg(QDir::toNativeSeparators(path));
}

// One status line on the terminal, rewritten in place.
class ProgressLine {
public:
    explicit ProgressLine(QTextStream& err) : m_err(err) {}

    void show(DictionaryImport::Phase phase, const QString& source, qint64 done, qint64 total) {
        QString text;
        switch (phase) {
        case DictionaryImport::Phase::Reading:
            text = QStringLiteral("Wczytywanie %1").arg(quoted(source));
            break;
        case DictionaryImport::Phase::Sorting:
            text = QStringLiteral("Porządkowanie wyrazów");
            break;
        case DictionaryImport::Phase::Writing:
            text = QStringLiteral("Zapisywanie słownika");
            break;
        case DictionaryImport::Phase::Finishing:
            text = QStringLiteral("Tworzenie indeksów i zapis na dysk");
            break;
        }
        if (total > 0)
            text += QStringLiteral("... %1%").arg(std::min<qint64>(100, done * 100 / total));
        else if (done > 0)
            text += QStringLiteral("... %1").arg(done);
        else
            text += QStringLiteral("...");
        if (text == m_last)
            return;
        m_err << '\r' << text.leftJustified(m_last.size()) << Qt::flush;
        m_last = text;
    }

    void clear() {
        if (m_last.isEmpty())
            return;
        m_err << '\r' << QString(m_last.size(), QLatin1Char(' ')) << '\r' << Qt::flush;
        m_last.clear();
    }

private:
    QTextStream& m_err;
    QString m_last;
};

int runImport(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    const CliOptions options(args, {QStringLiteral("password")}, {QStringLiteral("skip-capitalised")});
    if (!options.ok() || options.positional().size() < 2) {
        if (!options.ok())
            err << options.error() << "\n";
        err << "Użycie: literon-cli " << Usage << "\n"
            << "Dodaje do słownika PLIK (tworzy go, gdy nie istnieje) wyrazy z list tekstowych (jeden wyraz\n"
            << "w wierszu, opcjonalnie: wyraz<TAB>opis; UTF-8 lub Windows-1250) i ze słowników Access.\n"
            << "  --skip-capitalised  pomija wpisy list tekstowych zaczynające się wielką literą\n"
            << "  --password HASŁO    hasło baz Access i chronionego słownika PLIK\n";
        return 2;
    }
    const QString target = options.positional().first();
    const QStringList sources = options.positional().mid(1);
    const bool existed = QFileInfo::exists(target);

    ImportOptions importOptions;
    importOptions.skipCapitalised = options.has(QStringLiteral("skip-capitalised"));
    importOptions.password = options.value(QStringLiteral("password"));
    DictionaryImport import(importOptions);
    ProgressLine progress(err);
    if (isatty(STDERR_FILENO))
        import.setProgress([&](DictionaryImport::Phase phase, const QString& source, qint64 done, qint64 total) {
            progress.show(phase, source, done, total);
});

ImportCounts counts;
const bool ok = [&] {
    try {
        counts = import.run(target, sources);
        return true;
    } catch (const AppError& e) {
        progress.clear();
        err << e.description() << "\n";
    } catch (const std::bad_alloc&) {
        progress.clear();
        err << "Brak pamięci.\n";
    } catch (const std::exception& e) {
        progress.clear();
        err << QString::fromUtf8(e.what()) << "\n";
    }
    return false;
}();
if (!ok) {
    err << (existed ? QStringLiteral("Słownik %1 nie został zmieniony.").arg(quoted(target))
                    : QStringLiteral("Słownik %1 nie został utworzony.").arg(quoted(target)))
        << "\n";
    return 1;
}
progress.clear();
out << DictionaryImport::summary(counts) << "\n";
return 0;
} // namespace

const CliCommand::Registrar registrar(QStringLiteral("import"), Usage, runImport);

} // namespace
