// Filling the results list the way a long search does: batches of
// RefreshRecords rows (100) up to a million rows, sorted in Polish order.
// Prints the time per phase and the cost of the last batches against the first
// ones, which stays flat when appending is far below quadratic.

#include "search/ResultsModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

QVector<QStringList> randomWords(int count, QRandomGenerator& random) {
    static const QString letters = QString::fromUtf8("AĄBCĆDEĘFGHIJKLŁMNŃOÓPRSŚTUWYZŹŻ");
    QVector<QStringList> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString word;
        for (int n = 3 + random.bounded(10); n > 0; --n)
            word += letters.at(random.bounded(letters.size()));
        rows.append(QStringList{word});
    }
    return rows;
}

void fill(const char* title, ResultsModel& model, const QVector<QStringList>& all, int batch) {
    QElapsedTimer total;
    total.start();
    QElapsedTimer part;
    qint64 firstTenth = 0;
    qint64 lastTenth = 0;
    const int tenth = static_cast<int>(all.size() / 10);
    for (int at = 0; at < all.size(); at += batch) {
        if (at == 0 || at == all.size() - tenth)
            part.start();
        model.appendRows(ResultRows::of(all.mid(at, batch)));
        if (at + batch == tenth)
            firstTenth = part.nsecsElapsed();
        if (at + batch >= all.size())
            lastTenth = part.nsecsElapsed();
    }
    std::printf("%-44s %8lld ms  first 10%%: %6.1f ms  last 10%%: %6.1f ms\n", title,
                static_cast<long long>(total.elapsed()), firstTenth / 1e6, lastTenth / 1e6);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    QRandomGenerator random(42);
    const QVector<QStringList> words = randomWords(rows, random);

    {
        QCollator collator{QLocale(QLocale::Polish)};
        QElapsedTimer timer;
        timer.start();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(words.size());
        for (const QStringList& row : words)
            keys.push_back(collator.sortKey(row[0]));
        std::printf("%-44s %8lld ms\n", "sort keys alone", static_cast<long long>(timer.elapsed()));
    }
    {
        ResultsModel model;
        model.applyLayout(ResultLayout::words());
        fill("sorted, random order, batches of 100", model, words, 100);
        QElapsedTimer timer;
        timer.start();
        model.columnClick(0);
        std::printf("%-44s %8lld ms\n", "header click (descending), all rows",
                    static_cast<long long>(timer.elapsed()));
        timer.start();
        long long sum = 0;
        for (int row = 0; row < model.rowCount(); row += 7)
            sum += model.text(row).size();
        std::printf("%-44s %8lld ms (%lld)\n", "reading every 7th row",
                    static_cast<long long>(timer.elapsed()), sum);
    }
    {
        QVector<QStringList> inOrder = words;
        QCollator collator{QLocale(QLocale::Polish)};
        std::sort(inOrder.begin(), inOrder.end(), [&](const QStringList& a, const QStringList& b) {
            return collator.compare(a[0], b[0]) < 0;
        });
        ResultsModel model;
        model.applyLayout(ResultLayout::words());
        fill("sorted, rows already in order, batches of 100", model, inOrder, 100);
    }
    {
        ResultsModel model;
        model.applyLayout(ResultLayout::query({"Wyraz"}));
        fill("unsorted (query), batches of 100", model, words, 100);
    }
    return 0;
}
