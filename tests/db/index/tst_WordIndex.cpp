#include "db/Command.h"
#include "db/ConnectionString.h"
#include "db/Recordset.h"
#include "db/text/PolishText.h"
#include "support/CliRun.h"
#include "support/Fixtures.h"
#include "support/GeneratedDictionary.h"
#include "support/IndexDifferential.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

const QString kPolish = QStringLiteral("AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ");

QChar anyLetter(QRandomGenerator& random) {
    const QChar c = kPolish[random.bounded(int(kPolish.size()))];
    return random.bounded(4) == 0 ? c.toLower() : c;
}

// Mostly patterns made from words of the dictionary, so that they match.
QString randomPattern(QRandomGenerator& random, const GeneratedDictionary& dict) {
    static const QStringList extras = {
        QStringLiteral("[AĄB]"), QStringLiteral("[!K-M]"), QStringLiteral("[a-ż]"), QStringLiteral("[ŁŃ]"),
        QStringLiteral("É"),     QStringLiteral("[]A]"),   QStringLiteral("-"),     QStringLiteral("1"),
        QStringLiteral("[!ĄĘ]"), QStringLiteral("*"),      QStringLiteral("?"),     QStringLiteral("[Z-A]")};
    QString pattern;
    if (random.bounded(10) < 7) {
        const QString word = dict.anyWord(random);
        for (const QChar c : word) {
            const int choice = random.bounded(20);
            if (choice < 6)
                pattern += QLatin1Char('_');
            else if (choice < 8)
                pattern += QLatin1Char('%');
            else if (choice < 10)
                pattern += c.toLower();
            else if (choice == 10)
                pattern += extras[random.bounded(int(extras.size()))];
            else if (choice != 11) // sometimes a letter is left out
                pattern += c;
        }
        if (random.bounded(4) == 0)
            pattern.prepend(QLatin1Char('%'));
        if (random.bounded(4) == 0)
            pattern += QLatin1Char('%');
        return pattern;
    }
    const int length = random.bounded(16);
    for (int i = 0; i < length; ++i) {
        const int choice = random.bounded(20);
        if (choice < 10)
            pattern += anyLetter(random);
        else if (choice < 14)
            pattern += QLatin1Char('_');
        else if (choice < 18)
            pattern += QLatin1Char('%');
        else
            pattern += extras[random.bounded(int(extras.size()))];
    }
    return pattern;
}

QString likeStatement(QRandomGenerator& random, const QString& pattern) {
    static const QList<int> tops = {-1, -1, 0, 1, 3, 57, 5000};
    const int top = tops[random.bounded(int(tops.size()))];
    return QStringLiteral("SELECT %1Wyraz FROM WYRAZY WHERE Wyraz LIKE '%2'")
        .arg(top < 0 ? QString() : QStringLiteral("TOP %1 ").arg(top), pattern);
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

TEST_F(WordIndexDifferential, LikeAnswersEqualTheEnginesRowForRow) {
    IndexDifferential compare(s_dict->connectionString());
    QRandomGenerator random(7);
    int nonEmpty = 0;
    for (int i = 0; i < 400; ++i) {
        const QString sql = likeStatement(random, randomPattern(random, *s_dict));
        const auto [fromIndex, fromEngine] = compare.run(sql);
        ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString();
        nonEmpty += !fromIndex.rows.isEmpty();
    }
    EXPECT_GT(nonEmpty, 150); // the patterns did find words
}

TEST_F(WordIndexDifferential, FixedShapesAndEdgePatterns) {
    IndexDifferential compare(s_dict->connectionString());
    const QStringList patterns = {
        "",        "%",        "%%",          "_",         "__________",  "%_%",          "K%",
        "%K",      "%ĄĘ%",     "k%ał",        "ż%",        "%_Ó_%",       "[!A-Z]%",      "%[ĄĆĘŁŃÓŚŹŻ]",
        "%É%",     "%-%",      "% %",         "%1",        "%ß%",         "%I%",          "%ı%",
        "%_%_%_%", "A%B%C",    "%[abc]%[!x]", "%[",        "[]",          "[!]%",         "%ZZZZZZZZZ%",
        "%Q%V%X%", "Ź____Ą__", "K_____AŁ",    "________",  "B__Y%K",      "%ŹDŹ%",        "%R___E%",
        "%U%",     "%_",       "_%_",         "%A%A%A%A%", "[A-C]%[X-Z]", "%[!ABCDEFGH]%"};
    for (const QString& pattern : patterns) {
        for (const QString& top : {QString(), QStringLiteral("TOP 1 "), QStringLiteral("TOP 5000 ")}) {
            const QString sql =
                QStringLiteral("SELECT %1Wyraz FROM WYRAZY WHERE Wyraz LIKE '%2'").arg(top, pattern);
            const auto [fromIndex, fromEngine] = compare.run(sql);
            ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString();
        }
    }
    for (const int length : {0, 1, 2, 8, 15, 20, 21, 63, 64, 65, 70, 79, 100, -1}) {
        const QString sql = QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = %1").arg(length);
        const auto [fromIndex, fromEngine] = compare.run(sql);
        ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString();
    }
}

TEST_F(WordIndexDifferential, RowFiltersDeliverTheSameRowsAndCounts) {
    IndexDifferential compare(s_dict->connectionString());
    QRandomGenerator random(11);
    static const QList<qint32> cadences = {0, 1, 2, 7, 100};
    int passing = 0;
    for (int i = 0; i < 150; ++i) {
        const QString word = PolishText::upper(s_dict->anyWord(random));
        const qint32 every = cadences[random.bounded(int(cadences.size()))];
        if (i % 2 == 0) {
            // An anagram pool: the word's letters shuffled, sometimes one changed.
            QString pool = word;
            std::shuffle(pool.begin(), pool.end(), random);
            if (random.bounded(5) == 0)
                pool[random.bounded(int(pool.size()))] = anyLetter(random);
            const QString sql =
                QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = %1").arg(pool.size());
            const auto [fromIndex, fromEngine] = compare.run(sql, RowFilter::anagram(pool, every));
            ASSERT_EQ(fromIndex, fromEngine) << pool.toStdString() << " every " << every;
            passing += fromIndex.rows.size() > fromIndex.skipped.size() / 2;
            continue;
        }
        // A board pattern from the word: a few of its letters kept, the rest "?" or "*".
        QString pattern;
        QString board;
        for (const QChar c : word) {
            const int choice = random.bounded(10);
            if (choice < 2 && board.size() < 4) {
                pattern += c;
                board += c;
            } else if (choice < 7) {
                pattern += QLatin1Char('?');
            } else if (!pattern.endsWith(QLatin1Char('*'))) {
                pattern += QLatin1Char('*');
            }
        }
        if (board.isEmpty()) {
            pattern.prepend(word[0]);
            board.prepend(word[0]);
        }
        QStringList tiles;
        const int size = 1 + random.bounded(7);
        for (int t = 0; t < size; ++t) {
            const int choice = random.bounded(12);
            tiles << (choice < 2    ? QString()
                      : choice < 8  ? QString(word[random.bounded(int(word.size()))])
                      : choice < 11 ? QString(anyLetter(random))
                                    : QStringLiteral("AB"));
        }
        const int stars = int(pattern.count(QLatin1Char('*')));
        const int questions = int(pattern.count(QLatin1Char('?')));
        QString sqlPattern = pattern;
        sqlPattern.replace(QLatin1Char('*'), QLatin1Char('%')).replace(QLatin1Char('?'), QLatin1Char('_'));
        const RowFilter filter = RowFilter::rack(board, tiles, stars > 0, int(pattern.size()),
                                                 int(board.size()) + questions, every);
        const QString sql = QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%1'").arg(sqlPattern);
        const auto [fromIndex, fromEngine] = compare.run(sql, filter);
        ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString() << " " << tiles.join(',').toStdString();
    }
    EXPECT_GT(passing, 20);
}

QStringList words(const QString& connectionString, const QString& pattern) {
    Connection connection;
    connection.open(connectionString);
    return runStatement(connection,
                        QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%1'").arg(pattern))
        .column();
}

TEST(WordIndex, ChangesByOthersAreSeenByTheNextSearch) {
    TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("KRET")});
    const QString cs = dict.connectionString();
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KOT", "KRET"}));
    // Another connection that bypasses the provider, as another program would.
    dict.exec(QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('KOC')"));
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KOT", "KRET", "KOC"}));
    dict.exec(QStringLiteral("UPDATE WYRAZY SET Wyraz = 'KOS' WHERE Wyraz = 'KOT'"));
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KOS", "KRET", "KOC"}));

    // And another program: the importer adds a word in a process of its own.
    const QString list = dict.folder() + QStringLiteral("/nowe.txt");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("koza\n");
    file.close();
    const CliRun run = cli({QStringLiteral("import"), dict.path(), list});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList afterImport = words(cs, "K%");
    EXPECT_TRUE(afterImport.contains(QStringLiteral("KOZA"))) << afterImport.join(' ').toStdString();
    IndexDifferential compare(cs);
    const auto [fromIndex, fromEngine] =
        compare.run(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'"));
    EXPECT_EQ(fromIndex, fromEngine);
}

} // namespace
