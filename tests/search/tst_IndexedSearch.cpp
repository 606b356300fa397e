#include "db/index/WordIndexCache.h"
#include "db/text/PolishText.h"
#include "search/SearchRun.h"
#include "support/GeneratedDictionary.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Everything a run hands its caller.
struct Trace {
    QVector<QStringList> rows;
    QList<qint32> refreshes;
    QList<int> rowsAtRefresh;
    SearchOutcome::End end = SearchOutcome::End::Completed;
    qint32 rowsRead = 0;
    qint32 wordsListed = 0;
    bool limitReached = false;
    QString error;

    bool operator==(const Trace&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Trace& t) {
    out << t.rows.size() << " rows, read " << t.rowsRead << ", listed " << t.wordsListed << ", end "
        << int(t.end) << (t.limitReached ? " (limit)" : "") << ", refreshes";
    for (qsizetype i = 0; i < std::min<qsizetype>(t.refreshes.size(), 10); ++i)
        out << " " << t.refreshes[i] << "@" << t.rowsAtRefresh[i];
    if (!t.error.isEmpty())
        out << " error " << t.error.toStdString();
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
    callbacks.refresh = [&](qint32 listed) {
        t.refreshes << listed;
        t.rowsAtRefresh << int(t.rows.size());
    };
    callbacks.stopRequested = [&] { return stopAfter > 0 && ++stopCalls >= stopAfter; };
    SearchRun run(request, settings);
    run.setRowTestsInProvider(path != Path::EngineOnly);
    const SearchOutcome outcome = run.exec(connectionString, callbacks);
    WordIndexCache::setEnabled(true);
    t.end = outcome.end;
    t.rowsRead = outcome.rowsRead;
    t.wordsListed = outcome.wordsListed;
    t.limitReached = outcome.limitReached;
    if (outcome.error)
        t.error = outcome.error->description();
    return t;
}

QStringList fieldsOf(const QString& word) {
    QStringList fields;
    for (const QChar c : word)
        fields << QString(c);
    return fields;
}

// A search of each kind, made from a word of the dictionary so that it finds something.
SearchRequest randomSearch(QRandomGenerator& random, const GeneratedDictionary& dict) {
    QString word = PolishText::upper(dict.anyWord(random)).left(15);
    switch (random.bounded(5)) {
    case 0: { // crossword, letter mode
        QStringList fields = fieldsOf(word);
        for (QString& field : fields)
            if (random.bounded(3) > 0)
                field.clear();
        return CrosswordSearch{fields, false};
    }
    case 1:
    case 2: { // crossword, anagram mode
        std::shuffle(word.begin(), word.end(), random);
        return CrosswordSearch{fieldsOf(word), true};
    }
    case 3: { // pattern
        QString pattern;
        for (const QChar c : word) {
            const int choice = random.bounded(6);
            pattern += choice < 2                                          ? QString(QLatin1Char('?'))
                       : choice < 3 && !pattern.endsWith(QLatin1Char('*')) ? QString(QLatin1Char('*'))
                       : choice < 4                                        ? QString(c.toLower())
                                                                           : QString(c);
        }
        return PatternSearch{pattern, false};
    }
    default: { // Scrabble
        QString pattern;
        int letters = 0;
        for (const QChar c : word) {
            const int choice = random.bounded(10);
            if ((choice < 3 && letters < 3) || (letters == 0 && pattern.size() + 1 == word.size())) {
                pattern += c;
                ++letters;
            } else if (choice < 6) {
                pattern += QLatin1Char('?');
            } else if (!pattern.endsWith(QLatin1Char('*'))) {
                pattern += QLatin1Char('*');
            }
        }
        QStringList rack;
        const int size = std::max<int>(int(pattern.count(QLatin1Char('?'))), 1 + random.bounded(7));
        for (int i = 0; i < std::min(size, 7); ++i)
            rack << (random.bounded(8) == 0 ? QString() : QString(word[random.bounded(int(word.size()))]));
        return ScrabbleSearch{pattern, rack, random.bounded(2) == 0};
    }
    }
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
        const auto what = [&] {
            return std::visit([](const auto& s) { return typeid(s).name(); }, request) + std::string(" #") +
                   std::to_string(i);
        };
        ASSERT_EQ(indexed, engine) << what();
        // The engine with the row tests in the provider, for the searches that have them.
        ASSERT_EQ(trace(request, cs, settings, Path::EngineFiltering, stopAfter), engine) << what();
        listing += indexed.wordsListed > 0;
    }
    EXPECT_GT(listing, 50);
}

} // namespace
