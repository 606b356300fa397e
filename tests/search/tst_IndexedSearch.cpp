#include "db/index/WordIndexCache.h"
#include "db/text/PolishText.h"
#include "search/SearchRun.h"
#include "support/GeneratedDictionary.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Everything a run hands its caller: the rows, each refresh point with the
// rows delivered by then, the words listed, and the end, counters and error.
struct Trace {
    QVector<QStringList> rows;
    QList<std::pair<qint32, qsizetype>> refreshes;
    qint32 wordsListed = 0;
    QString outcome;

    bool operator==(const Trace&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Trace& t) {
    out << t.rows.size() << " rows, listed " << t.wordsListed << ", " << t.outcome.toStdString()
        << ", refreshes";
    for (const auto& [listed, rows] : t.refreshes.first(std::min<qsizetype>(t.refreshes.size(), 10)))
        out << " " << listed << "@" << rows;
    return out;
}

enum class Path { Index, EngineFiltering, EngineOnly };

// stopAfter: the stop flag is raised at that call of the stop test (0: never),
// so a stop can land between two refresh points as well.
Trace trace(const SearchRequest& request, const QString& connectionString, const Settings& settings,
            Path path, int stopAfter) {
    WordIndexCache::setEnabled(path == Path::Index);
    Trace t;
    int stopCalls = 0;
    SearchRun::Callbacks callbacks;
    callbacks.rows = [&](ResultRows&& rows) {
        for (qsizetype i = 0; i < rows.size(); ++i)
            t.rows << rows.row(i);
    };
    callbacks.refresh = [&](qint32 listed) { t.refreshes.append({listed, t.rows.size()}); };
    callbacks.stopRequested = [&] { return stopAfter > 0 && ++stopCalls >= stopAfter; };
    SearchRun run(request, settings);
    run.setRowTestsInProvider(path != Path::EngineOnly);
    const SearchOutcome outcome = run.exec(connectionString, callbacks);
    WordIndexCache::setEnabled(true);
    t.wordsListed = outcome.wordsListed;
    t.outcome = QStringLiteral("end %1, read %2%3, error %4")
                    .arg(QString::number(int(outcome.end)), QString::number(outcome.rowsRead),
                         outcome.limitReached ? QStringLiteral(" (limit)") : QString(),
                         outcome.error ? outcome.error->description() : QString());
    return t;
}

// A search of each kind, made from a word of the dictionary so that it finds something.
SearchRequest randomSearch(QRandomGenerator& random, const GeneratedDictionary& dict) {
    QString word = PolishText::upper(dict.anyWord(random)).left(15);
    QString pattern;
    switch (random.bounded(5)) {
    case 0: { // crossword, letter mode: some fields left empty
        QStringList fields = word.split(QString(), Qt::SkipEmptyParts);
        for (QString& field : fields)
            field = random.bounded(3) > 0 ? QString() : field;
        return CrosswordSearch{fields, false};
    }
    case 1:
    case 2: // crossword, anagram mode
        std::shuffle(word.begin(), word.end(), random);
        return CrosswordSearch{word.split(QString(), Qt::SkipEmptyParts), true};
    case 3: // pattern: letters, "?" and "*"
        for (const QChar c : word) {
            const int choice = random.bounded(6);
            pattern += choice < 2                             ? QStringLiteral("?")
                       : choice < 3 && !pattern.endsWith('*') ? QStringLiteral("*")
                                                              : QString(c);
        }
        return PatternSearch{pattern, false};
    }
    // Scrabble: up to three of the word's letters on the board, at least one.
    int letters = 0;
    for (const QChar c : word) {
        const int choice = random.bounded(10);
        const bool kept = (choice < 3 && letters < 3) || (letters == 0 && pattern.size() + 1 == word.size());
        letters += kept;
        pattern += kept                                 ? QString(c)
                   : choice < 6                         ? QStringLiteral("?")
                   : pattern.endsWith(QLatin1Char('*')) ? QString()
                                                        : QStringLiteral("*");
    }
    QStringList rack;
    const int size = std::max<int>(int(pattern.count(QLatin1Char('?'))), 1 + random.bounded(7));
    for (int i = 0; i < std::min(size, 7); ++i)
        rack << (random.bounded(8) == 0 ? QString() : QString(word[random.bounded(int(word.size()))]));
    return ScrabbleSearch{pattern, rack, random.bounded(2) == 0};
}

TEST(IndexedSearch, SameRowsCountersAndRefreshPointsAsTheEngine) {
    const GeneratedDictionary dict(40000, 99);
    const QString cs = dict.connectionString();
    QRandomGenerator random(5);
    static const QList<qint32> maxima = {1, 7, 60, 5000, 9999999};
    static const QList<qint32> refreshes = {1, 3, 100, 99999};
    int listing = 0;
    for (int i = 0; i < 120; ++i) {
        const SearchRequest request = randomSearch(random, dict);
        if (validate(request))
            continue;
        Settings settings;
        settings.MaxRecords = maxima[random.bounded(int(maxima.size()))];
        settings.RefreshRecords = refreshes[random.bounded(int(refreshes.size()))];
        const int stopAfter = random.bounded(4) == 0 ? 1 + random.bounded(3000) : 0;
        const Trace indexed = trace(request, cs, settings, Path::Index, stopAfter);
        const Trace engine = trace(request, cs, settings, Path::EngineOnly, stopAfter);
        ASSERT_EQ(indexed, engine) << "kind " << request.index() << " #" << i;
        // The engine with the row tests in the provider, for the searches that have them.
        ASSERT_EQ(trace(request, cs, settings, Path::EngineFiltering, stopAfter), engine)
            << "kind " << request.index() << " #" << i;
        listing += indexed.wordsListed > 0;
    }
    EXPECT_GT(listing, 50);
}

} // namespace
