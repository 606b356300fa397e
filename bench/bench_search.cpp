// The four searches on the bundled dictionary, run in-process through the
// window's own engine (SearchRun into a ResultsModel), against grep (and awk
// for the row tests of the anagram and Scrabble searches) over the same words
// in the same run: bench_search [DICTIONARY] [RUNS] [ONLY]
// ONLY picks the searches whose title contains it (for profiling one).
// Prints the word index's build time and the memory the process holds, the
// time from opening the dictionary to the first answer, searches right after
// words were added, renamed and deleted, and the memory of a 1,000,000-row list.
// Every baseline prints its own row count; the run stops when one differs
// from the engine's. The awk programs need gawk (scripts/install-deps).

#include "common/Settings.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/Recordset.h"
#include "db/SchemaCheck.h"
#include "db/index/WordIndexCache.h"
#include "search/ResultsModel.h"
#include "search/SearchRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// kB of a line of /proc/self/status ("VmRSS", "VmHWM").
long long statusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(strlen(key)) + 1).trimmed().split(' ').first().toLongLong();
    return -1;
}

// Lets VmHWM measure the peak of what follows.
void resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Run {
    qint32 listed = 0;
    qint32 read = 0;
    double ms = 0;
    double cpuMs = 0; // this thread's processor time: the run's cost without the machine's other load
};

double cpuMs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// One list for every run, cleared before each as the window clears its own.
Run search(ResultsModel& list, const SearchRequest& request, const QString& connectionString,
           const Settings& settings) {
    list.clear();
    SearchRun::Callbacks callbacks;
    callbacks.layout = [&](const ResultLayout& layout) { list.applyLayout(layout); };
    callbacks.rows = [&](ResultRows&& rows) { list.appendRows(std::move(rows)); };
    callbacks.refresh = [](qint32) {};
    callbacks.stopRequested = [] { return false; };
    QElapsedTimer timer;
    const double cpuStart = cpuMs(CLOCK_THREAD_CPUTIME_ID);
    timer.start();
    const SearchOutcome outcome = SearchRun(request, settings).exec(connectionString, callbacks);
    Run r;
    r.ms = timer.nsecsElapsed() / 1e6;
    r.cpuMs = cpuMs(CLOCK_THREAD_CPUTIME_ID) - cpuStart;
    r.listed = outcome.wordsListed;
    r.read = outcome.rowsRead;
    if (outcome.failed()) {
        std::fprintf(stderr, "search failed: %s\n", qPrintable(outcome.error->description()));
        std::exit(1);
    }
    return r;
}

// The shell command's wall time, with the number of lines it wrote. The
// lines go through a pipe: grep writing to /dev/null stops at its first match.
double shellMs(const QString& command, qint64& rows) {
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command + QStringLiteral(" | wc -l")});
    process.waitForFinished(-1);
    const double ms = timer.nsecsElapsed() / 1e6;
    bool ok = false;
    rows = process.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (process.exitCode() != 0 || !ok) {
        std::fprintf(stderr, "baseline failed: %s\n%s\n", qPrintable(command),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    return ms;
}

QStringList letters(const char* text) {
    QStringList fields;
    for (const QChar c : QString::fromUtf8(text))
        fields << (c == QLatin1Char('?') ? QString() : QString(c));
    return fields;
}

// awk programs, byte-wise (gawk in the C locale, whatever the user's locale
// and whichever awk is the default): a letter is the UTF-8 text of one.
QString anagramAwk(const QString& pool) {
    QString counts;
    QStringList seen;
    for (const QChar c : pool) {
        if (seen.contains(QString(c)))
            continue;
        seen << QString(c);
        counts += QStringLiteral("t=$0; if (gsub(\"%1\", \"\", t) != %2) next; ").arg(c).arg(pool.count(c));
    }
    return QStringLiteral("LC_ALL=C gawk '{ %1print }'").arg(counts);
}

QString rackAwk(const QString& board, const QStringList& rack, int shortest) {
    QString program =
        QStringLiteral("{ w=$0; t=$0; n=gsub(/[^\\200-\\277]/, \"\", t); if (n < %1 || n > 15) next; ")
            .arg(shortest);
    for (const QChar c : board)
        program += QStringLiteral("if (!sub(\"%1\", \"\", w)) next; ").arg(c);
    program += QStringLiteral("if (w == \"\") next; ");
    int blanks = 0;
    for (const QString& tile : rack) {
        if (tile.isEmpty())
            ++blanks;
        else
            program += QStringLiteral("sub(\"%1\", \"\", w); ").arg(tile);
    }
    program += QStringLiteral("t=w; if (gsub(/[^\\200-\\277]/, \"\", t) <= %1) print }").arg(blanks);
    return QStringLiteral("LC_ALL=C gawk '%1'").arg(program);
}

const SearchRequest kCrossword = CrosswordSearch{letters("K?????AŁ"), false};

// As the window opens a database: the schema check, which starts reading the
// word index in the background.
double openLikeTheWindow(const QString& path, const QString& connectionString) {
    QElapsedTimer timer;
    timer.start();
    const SchemaCheck::Result result = SchemaCheck::run(path, connectionString);
    if (result.error || result.code != 0) {
        std::fprintf(stderr, "the dictionary did not pass the schema check\n");
        std::exit(1);
    }
    WordIndexCache::prepare(connectionString);
    return timer.nsecsElapsed() / 1e6;
}

void command(const QString& connectionString, const QString& sql) {
    Command c;
    c.setActiveConnection(connectionString);
    c.setCommandText(sql);
    c.execute();
}

double medianSearch(ResultsModel& list, const SearchRequest& request, const QString& cs,
                    const Settings& settings, int runs, qint32& listed) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const Run r = search(list, request, cs, settings);
        times.push_back(r.ms);
        listed = r.listed;
    }
    return median(times);
}

// The first answer after opening, and searches right after the word commands'
// single-row writes, on a copy of the dictionary (the original stays as it is).
void openAndEdit(const QString& path, const Settings& settings, ResultsModel& list, int runs) {
    const QString cs = ConnectionString::build(true, path, QString());
    std::printf("\nopening the dictionary (schema check, index read in the background):\n");
    WordIndexCache::clear();
    double openMs = openLikeTheWindow(path, cs);
    Run r = search(list, kCrossword, cs, settings);
    std::printf("  %-62s %8.1f ms (open %.1f ms)\n",
                "first K?????AŁ at once after the open (waits for the index)", r.ms, openMs);
    WordIndexCache::clear();
    openMs = openLikeTheWindow(path, cs);
    QThread::msleep(2000);
    const bool ready = !WordIndexCache::preparing(path);
    r = search(list, kCrossword, cs, settings);
    std::printf("  %-62s %8.3f ms (open %.1f ms; index %s) target <= 50 ms\n",
                "first K?????AŁ 2 s after the open", r.ms, openMs,
                ready ? "was ready" : "was still being read: machine busy");
    std::printf("  index read in the background in %lld ms\n",
                static_cast<long long>(WordIndexCache::stats().lastBuildMs));
    WordIndexCache::clear();

    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("kopia.mdb"));
    if (!QFile::copy(path, copy)) {
        std::fprintf(stderr, "cannot copy the dictionary to %s\n", qPrintable(copy));
        std::exit(1);
    }
    const QString rw = ConnectionString::build(false, copy, QString());
    openLikeTheWindow(copy, rw);
    WordIndexCache::waitIdle();
    const int builds = WordIndexCache::stats().builds;
    qint32 listedBefore = 0;
    search(list, kCrossword, rw, settings); // warm-up
    const double before = medianSearch(list, kCrossword, rw, settings, runs, listedBefore);
    std::printf("\nsearch K?????AŁ after the word commands' writes (copy of the dictionary, %d runs):\n",
                runs);
    std::printf("  %-40s %8.3f ms, %d words\n", "before any edit", before, listedBefore);
    struct Step {
        const char* title;
        QStringList statements;
        qint32 listed; // expected words
    };
    const std::vector<Step> steps = {
        {"after adding KZZZZZAŁ", {"INSERT INTO WYRAZY (Wyraz) VALUES ('KZZZZZAŁ')"}, listedBefore + 1},
        {"after renaming it to KYYYYYAŁ",
         {"UPDATE WYRAZY SET Wyraz = 'KYYYYYAŁ' WHERE Wyraz = 'KZZZZZAŁ'"},
         listedBefore + 1},
        {"after deleting it",
         {"DELETE FROM OPISY WHERE WyrazID IN (SELECT WyrazID FROM WYRAZY WHERE Wyraz IN ('KYYYYYAŁ'))",
          "DELETE FROM WYRAZY WHERE Wyraz IN ('KYYYYYAŁ')"},
         listedBefore},
    };
    bool met = true;
    for (const Step& step : steps) {
        QElapsedTimer timer;
        timer.start();
        for (const QString& sql : step.statements)
            command(rw, sql);
        const double writeMs = timer.nsecsElapsed() / 1e6;
        // The very first search after the write, then the usual median.
        qint32 listed = 0;
        const Run first = search(list, kCrossword, rw, settings);
        const double ms = medianSearch(list, kCrossword, rw, settings, runs, listed);
        if (listed != step.listed || first.listed != step.listed) {
            std::fprintf(stderr, "%s: %d words listed, %d expected\n", step.title, listed, step.listed);
            std::exit(1);
        }
        met = met && ms <= 2 * before;
        std::printf("  %-40s %8.3f ms (first %.3f ms; write %.1f ms), %d words, target <= 2x before\n",
                    step.title, ms, first.ms, writeMs, listed);
    }
    std::printf("  indexes read during the edits: %d; %s\n", WordIndexCache::stats().builds - builds,
                met ? "target met" : "target NOT met");
    WordIndexCache::clear();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1])
                 : QCoreApplication::applicationDirPath() + QStringLiteral("/Databases/slownik.mdb");
    const int runs = argc > 2 ? std::max(3, atoi(argv[2])) : 25;
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (!QFileInfo::exists(path)) {
        std::fprintf(stderr, "no dictionary at %s\n", qPrintable(path));
        return 1;
    }
    const QString cs = ConnectionString::build(true, path, QString());
    Settings settings; // MaxRecords 5000, RefreshRecords 100, as installed
    ResultsModel list; // the window's list, cleared before every run as the window does

    // The words once, for grep, in the table's order.
    QTemporaryDir dir;
    const QString wordsFile = dir.filePath(QStringLiteral("words.txt"));
    qint64 wordCount = 0;
    {
        WordIndexCache::setEnabled(false);
        Connection connection;
        connection.open(cs);
        Recordset rs;
        rs.open(QStringLiteral("SELECT Wyraz FROM WYRAZY"), connection);
        QFile out(wordsFile);
        out.open(QIODevice::WriteOnly);
        QByteArray buffer;
        for (; !rs.eof(); rs.moveNext(), ++wordCount) {
            buffer += rs.value(0).toString().toUtf8();
            buffer += '\n';
        }
        out.write(buffer);
        WordIndexCache::setEnabled(true);
    }

    std::printf("dictionary: %s (%lld words), %d runs per search, medians\n", qPrintable(path),
                static_cast<long long>(wordCount), runs);
    std::printf("before the index: VmRSS %lld kB, VmHWM %lld kB\n", statusKb("VmRSS"), statusKb("VmHWM"));
    resetPeak();
    const double processStart = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
    const Run first = search(list, CrosswordSearch{letters("K?????AŁ"), false}, cs, settings);
    const double processCpu = cpuMs(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    const WordIndexCache::Stats stats = WordIndexCache::stats();
    std::printf("index build: %lld ms (first search %.0f ms; processor time %.0f ms, both threads)\n",
                static_cast<long long>(stats.lastBuildMs), first.ms, processCpu);
    std::printf("index %lld MB; VmRSS %lld kB, VmHWM %lld kB\n\n",
                static_cast<long long>(stats.memoryBytes >> 20), statusKb("VmRSS"), statusKb("VmHWM"));

    const QString grep = QStringLiteral("LC_ALL=C.UTF-8 grep ");
    const QString file = QStringLiteral(" '") + wordsFile + QStringLiteral("'");
    struct Case {
        const char* title;
        SearchRequest request;
        QString shell;    // the same search with grep (and awk)
        const char* tool; // what the shell command is
        double target;    // ms
    };
    const QStringList rack1 = {"C", "E", "I", "I", "P", "Ś", ""};
    const QStringList rack2 = {"C", "E", "K", "R", "S", "Z", "Z"};
    const std::vector<Case> cases = {
        {"crossword K?????AŁ (TOP 5000)", CrosswordSearch{letters("K?????AŁ"), false},
         grep + "-x -m 5000 'K.....AŁ'" + file, "grep", 1},
        {"crossword Ź????Ą?? (TOP 5000)", CrosswordSearch{letters("Ź????Ą??"), false},
         grep + "-x -m 5000 'Ź....Ą..'" + file, "grep", 1},
        {"crossword ???????? (TOP 5000)", CrosswordSearch{letters("????????"), false},
         grep + "-x -m 5000 '........'" + file, "grep", 1},
        {"pattern B??Y*K (TOP 5000)", PatternSearch{"B??Y*K", false}, grep + "-x -m 5000 'B..Y.*K'" + file,
         "grep", 5},
        {"pattern *ŹDŹ* (TOP 5000)", PatternSearch{"*ŹDŹ*", false}, grep + "-m 5000 'ŹDŹ'" + file, "grep", 5},
        {"anagram KROTNA", CrosswordSearch{letters("KROTNA"), true},
         grep + "-x '......'" + file + " | " + anagramAwk("KROTNA") + " | head -5000", "grep+awk", 5},
        {"Scrabble *R???E* + C E I I P Ś _", ScrabbleSearch{"*R???E*", rack1, false},
         grep + "'R...E'" + file + " | " + rackAwk("RE", rack1, 5) + " | head -5000", "grep+awk", 30},
        {"Scrabble *U* + C E K R S Z Z", ScrabbleSearch{"*U*", rack2, false},
         grep + "'U'" + file + " | " + rackAwk("U", rack2, 1) + " | head -5000", "grep+awk", 30},
        {"query TOP 100 ... LEFT JOIN OPISY ... 'K__T%'",
         QuerySearch{"SELECT TOP 100 UCASE(WYRAZY.Wyraz) AS Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON "
                     "WYRAZY.WyrazID = OPISY.WyrazID WHERE Wyraz LIKE 'K__T%'"},
         grep + "-x -m 100 'K..T.*'" + file, "grep", 0},
    };

    if (QStandardPaths::findExecutable(QStringLiteral("gawk")).isEmpty()) {
        std::fprintf(stderr, "gawk is missing (the awk baselines need it): run scripts/install-deps\n");
        return 1;
    }
    std::printf("%-46s %7s %8s %8s %8s %8s %7s %8s %7s\n", "search", "listed", "read", "ms", "cpu ms",
                "tool ms", "tool rows", "faster", "target");
    for (const Case& c : cases) {
        if (!QString::fromUtf8(c.title).contains(only))
            continue;
        search(list, c.request, cs, settings); // warm-up
        std::vector<double> times;
        std::vector<double> cpuTimes;
        Run r;
        for (int i = 0; i < runs; ++i) {
            r = search(list, c.request, cs, settings);
            times.push_back(r.ms);
            cpuTimes.push_back(r.cpuMs);
        }
        std::vector<double> toolTimes;
        qint64 toolRows = 0;
        shellMs(c.shell, toolRows); // warm-up
        for (int i = 0; i < std::max(3, runs / 3); ++i)
            toolTimes.push_back(shellMs(c.shell, toolRows));
        const double ms = median(times);
        const double cpu = median(cpuTimes);
        const double toolMs = median(toolTimes);
        char target[32] = "-";
        if (c.target > 0)
            std::snprintf(target, sizeof target, "<= %g", c.target);
        std::printf("%-46s %7d %8d %8.3f %8.3f %8.1f %7lld %7.0fx %7s  (%s)\n", c.title, r.listed, r.read, ms,
                    cpu, toolMs, static_cast<long long>(toolRows), toolMs / ms, target, c.tool);
        if (toolRows != r.listed) {
            std::fprintf(stderr, "baseline for \"%s\" listed %lld rows, the engine %d: not comparable\n",
                         c.title, static_cast<long long>(toolRows), r.listed);
            return 1;
        }
        std::fflush(stdout);
    }

    // A million rows into the window's list, refreshed every 100 rows, then cleared.
    if (only.isEmpty()) {
        Settings many = settings;
        many.MaxRecords = 1000000;
        many.RefreshRecords = 100;
        list.clear();
        const long long before = statusKb("VmRSS");
        resetPeak();
        const Run r = search(list, PatternSearch{"*", false}, cs, many);
        const long long peak = statusKb("VmHWM");
        list.clear();
        const long long cleared = statusKb("VmRSS");
        std::printf("\n%s: %d rows, %.1f ms (cpu %.1f ms), target <= 2000 ms\n",
                    "listing 1,000,000 rows into ResultsModel (RefreshRecords 100)", r.listed, r.ms, r.cpuMs);
        std::printf("  peak VmHWM %lld kB: +%lld kB over the %lld kB before\n", peak, peak - before, before);
        std::printf("  after clearing the list: VmRSS %lld kB, +%lld kB kept\n", cleared, cleared - before);
    }

    if (only.isEmpty())
        openAndEdit(path, settings, list, runs);
    std::printf("\nat the end: VmRSS %lld kB, VmHWM %lld kB\n", statusKb("VmRSS"), statusKb("VmHWM"));
    return 0;
}
