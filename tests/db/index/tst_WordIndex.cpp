#include "db/text/PolishText.h"
#include "support/GeneratedDictionary.h"
#include "support/IndexDifferential.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

const QString kPolish = QStringLiteral("AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ");

QChar anyLetter(QRandomGenerator& random) {
    const QChar c = kPolish[random.bounded(int(kPolish.size()))];
    return random.bounded(4) == 0 ? c.toLower() : c;
}

// A word of the dictionary made a pattern: letters kept, made small, left out
// or put in place of wildcards and character lists.
QString randomPattern(QRandomGenerator& random, const GeneratedDictionary& dict) {
    static const QStringList extras = {"[AĄB]", "[!K-M]", "[a-ż]", "[ŁŃ]", "É", "[]A]",
                                       "-",     "1",      "[!ĄĘ]", "*",    "?", "[Z-A]"};
    QString pattern = random.bounded(4) == 0 ? QStringLiteral("%") : QString();
    for (const QChar c : dict.anyWord(random)) {
        const int choice = random.bounded(20); // 11: the letter is left out
        pattern += choice < 6    ? QStringLiteral("_")
                   : choice < 8  ? QStringLiteral("%")
                   : choice < 10 ? QString(c.toLower())
                   : choice < 11 ? extras[random.bounded(int(extras.size()))]
                   : choice > 11 ? QString(c)
                                 : QString();
    }
    return random.bounded(4) == 0 ? pattern + QLatin1Char('%') : pattern;
}

class WordIndexDifferential : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_dict = new GeneratedDictionary(60000, 20240613); }
    static void TearDownTestSuite() {
        delete s_dict;
        s_dict = nullptr;
    }
    static GeneratedDictionary* s_dict;
};

GeneratedDictionary* WordIndexDifferential::s_dict = nullptr;

// Edge shapes first, then random patterns, each with or without TOP; then the
// lengths around the longest word kept letter by letter.
TEST_F(WordIndexDifferential, LikeAndLengthAnswersEqualTheEnginesRowForRow) {
    static const QStringList edges = {
        "",        "%",        "%%",          "_",         "__________",  "%_%",          "K%",
        "%K",      "%ĄĘ%",     "k%ał",        "ż%",        "%_Ó_%",       "[!A-Z]%",      "%[ĄĆĘŁŃÓŚŹŻ]",
        "%É%",     "%-%",      "% %",         "%1",        "%ß%",         "%I%",          "%ı%",
        "%_%_%_%", "A%B%C",    "%[abc]%[!x]", "%[",        "[]",          "[!]%",         "%ZZZZZZZZZ%",
        "%Q%V%X%", "Ź____Ą__", "K_____AŁ",    "________",  "B__Y%K",      "%ŹDŹ%",        "%R___E%",
        "%U%",     "%_",       "_%_",         "%A%A%A%A%", "[A-C]%[X-Z]", "%[!ABCDEFGH]%"};
    static const QList<int> tops = {-1, -1, 0, 1, 3, 57, 5000};
    IndexDifferential compare(s_dict->connectionString());
    QRandomGenerator random(7);
    int nonEmpty = 0;
    for (qsizetype i = 0; i < edges.size() + 400; ++i) {
        const QString pattern = i < edges.size() ? edges[i] : randomPattern(random, *s_dict);
        const int top = tops[random.bounded(int(tops.size()))];
        const QString sql = QStringLiteral("SELECT %1Wyraz FROM WYRAZY WHERE Wyraz LIKE '%2'")
                                .arg(top < 0 ? QString() : QStringLiteral("TOP %1 ").arg(top), pattern);
        const auto [fromIndex, fromEngine] = compare.run(sql);
        ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString();
        nonEmpty += !fromIndex.rows.isEmpty();
    }
    EXPECT_GT(nonEmpty, 150); // the patterns did find words
    for (const int length : {0, 1, 20, 21, 63, 64, 65, 100, -1}) {
        const QString sql = QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = %1").arg(length);
        const auto [fromIndex, fromEngine] = compare.run(sql);
        ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString();
    }
}

// The anagram and rack tests handed to the provider, with the refresh rows it
// delivers whatever the test says: the same rows, and the same rows passed over.
TEST_F(WordIndexDifferential, RowFiltersDeliverTheSameRowsAndCounts) {
    IndexDifferential compare(s_dict->connectionString());
    QRandomGenerator random(11);
    static const QList<qint32> cadences = {0, 1, 2, 7, 100};
    int passing = 0;
    for (int i = 0; i < 150; ++i) {
        const QString word = PolishText::upper(s_dict->anyWord(random));
        const qint32 every = cadences[random.bounded(int(cadences.size()))];
        if (i % 2 == 0) { // the word's letters shuffled, sometimes one changed
            QString pool = word;
            std::shuffle(pool.begin(), pool.end(), random);
            if (random.bounded(5) == 0)
                pool[random.bounded(int(pool.size()))] = anyLetter(random);
            const auto [fromIndex, fromEngine] =
                compare.run(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = %1").arg(pool.size()),
                            RowFilter::anagram(pool, every));
            ASSERT_EQ(fromIndex, fromEngine) << pool.toStdString() << " every " << every;
            passing += fromIndex.rows.size() > fromIndex.skipped.size() / 2;
            continue;
        }
        // A board pattern from the word: up to four of its letters kept, the rest "_" or "%".
        QString pattern;
        QString board;
        for (const QChar c : word) {
            const int choice = random.bounded(10);
            const bool kept = choice < 2 && board.size() < 4;
            board += kept ? QString(c) : QString();
            pattern += kept                    ? QString(c)
                       : choice < 7            ? QStringLiteral("_")
                       : pattern.endsWith('%') ? QString()
                                               : QStringLiteral("%");
        }
        if (board.isEmpty()) {
            pattern.prepend(word[0]);
            board.prepend(word[0]);
        }
        QStringList tiles;
        for (int t = 1 + random.bounded(7); t > 0; --t) {
            const int choice = random.bounded(12);
            tiles << (choice < 2    ? QString()
                      : choice < 8  ? QString(word[random.bounded(int(word.size()))])
                      : choice < 11 ? QString(anyLetter(random))
                                    : QStringLiteral("AB"));
        }
        const RowFilter filter = RowFilter::rack(board, tiles, pattern.contains('%'), int(pattern.size()),
                                                 int(board.size() + pattern.count('_')), every);
        const QString sql = QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%1'").arg(pattern);
        const auto [fromIndex, fromEngine] = compare.run(sql, filter);
        ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString() << " " << tiles.join(',').toStdString();
    }
    EXPECT_GT(passing, 20);
}

} // namespace
