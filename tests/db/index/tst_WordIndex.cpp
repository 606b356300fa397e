#include "db/AppError.h"
#include "db/ConnectionImpl.h"
#include "db/ConnectionString.h"
#include "db/index/BigArray.h"
#include "db/index/WordRangeRewrite.h"
#include "db/jet/JetSqlTranslator.h"
#include "db/text/PolishText.h"
#include "support/GeneratedDictionary.h"
#include "support/IndexDifferential.h"
#include "support/TestDictionary.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Growing past the huge-page size moves the filled pages into an aligned
// range: every value must survive each move, and new room must read as zero.
TEST(BigArray, KeepsValuesAcrossGrowthAndZeroFillsNewRoom) {
    const auto value = [](quint32 i) { return i * 2654435761u; };
    BigArray<quint32> values;
    const quint32 count = 3 * 1024 * 1024; // 12 MB: several moves, the last ones aligned
    for (quint32 i = 0; i < count; ++i)
        values.push_back(value(i));
    ASSERT_EQ(values.size(), count);
    for (quint32 i = 0; i < count; i += 4099)
        ASSERT_EQ(values[i], value(i)) << i;
    EXPECT_EQ(values[count - 1], value(count - 1));
    const quint32* more = values.extend(1000);
    EXPECT_EQ(std::count(more, more + 1000, 0u), 1000);
    values.resize(10);
    values.resize(20); // shrunk and regrown room must be zero too
    EXPECT_EQ(std::count(values.data() + 10, values.data() + 20, 0u), 10);
    EXPECT_EQ(values[9], value(9));
}

const QString kPolish = QStringLiteral("AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ");

QChar anyLetter(QRandomGenerator& random) {
    const QChar c = kPolish[random.bounded(int(kPolish.size()))];
    return random.bounded(4) == 0 ? c.toLower() : c;
}

// A word of the dictionary made a pattern: its letters kept, made small, left
// out or put in place of wildcards and character lists. With `kept`, its first
// letters stay (some made small) and it may end early, as a crossword query's
// start does.
QString randomPattern(QRandomGenerator& random, const GeneratedDictionary& dict, int kept = 0) {
    static const QStringList extras = {"[AĄB]", "[!K-M]", "[a-ż]", "[ŁŃ]", "É", "[]A]",
                                       "-",     "1",      "[!ĄĘ]", "*",    "?", "[Z-A]"};
    const QString word = dict.anyWord(random).section(QLatin1Char('\''), 0, 0);
    QString pattern = kept == 0 && random.bounded(4) == 0 ? QStringLiteral("%") : QString();
    for (qsizetype i = 0; i < word.size(); ++i) {
        const int choice = random.bounded(20); // 11: the letter is left out
        if (i >= kept && kept > 0 && choice >= 14)
            break;
        pattern += i < kept      ? (choice < 6 ? QString(word[i].toLower()) : QString(word[i]))
                   : choice < 6  ? QStringLiteral("_")
                   : choice < 8  ? QStringLiteral("%")
                   : choice < 10 ? QString(word[i].toLower())
                   : choice < 11 ? extras[random.bounded(int(extras.size()))]
                   : choice > 11 ? QString(word[i])
                                 : QString();
    }
    return random.bounded(4) < (kept > 0 ? 3 : 1) ? pattern + QLatin1Char('%') : pattern;
}

// A statement put together from these parts: {t} stands for WYRAZY's name,
// {c} for its column Wyraz, each {p} for a pattern of its own.
QString randomQuery(QRandomGenerator& random, const GeneratedDictionary& dict) {
    static const QStringList fixed = {"Ż%", "ż%", "ŹDŹ%", "Ł_K%", "[KL]%", "[!A-K]%", "[Ś-Ż]_%", "ZZZZQ%",
                                      "%",  "_",  "Q#%",  "#%",   "%A",    "K__T%",   "ć%",      "[ŃÓ]%"};
    const auto pick = [&](const QStringList& parts) { return parts[random.bounded(int(parts.size()))]; };
    const QString from =
        pick({"WYRAZY", "WYRAZY AS w", "WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = OPISY.WyrazID",
              "OPISY LEFT JOIN WYRAZY ON WYRAZY.WyrazID = OPISY.WyrazID",
              "WYRAZY INNER JOIN OPISY ON WYRAZY.WyrazID = OPISY.WyrazID",
              "[WYRAZY] x LEFT JOIN [OPISY] o ON x.[WyrazID] = o.WyrazID"});
    const QString table = from.startsWith('[') ? "x" : from.endsWith(" w") ? "w" : "WYRAZY";
    QStringList selects = {"{t}.Wyraz", "*", "COUNT(*) AS Ile", "{t}.WyrazID, LEN({t}.Wyraz) AS Dlugosc"};
    // clang-format off
    QStringList extras = {"", "", " AND LEN({c}) > 5", " OR {c} LIKE '{p}'", " AND {c} LIKE '{p}'",
                          " AND {t}.WyrazID IN (SELECT WyrazID FROM OPISY WHERE Opis LIKE '%a%')",
                          " AND LEN({c}) BETWEEN 3 AND 8", " AND (LEN({c}) = 4 OR {c} LIKE '%Ą%')",
                          " AND NOT {c} LIKE '%K%'", " AND {t}.WyrazID > 1000"};
    // clang-format on
    if (from.contains("OPISY")) {
        selects << "UCASE({t}.Wyraz) AS Wyraz, Opis";
        extras += {" AND Opis IS NULL", " AND Opis LIKE 'opis%'"};
    }
    const QString column = pick({"Wyraz", "{t}.Wyraz", "[Wyraz]", "{t}.[Wyraz]"});
    const QString select = pick(selects);
    const QString extra = pick(extras);
    const QString order = pick({"", "", " ORDER BY LEN({c})", " ORDER BY {c}", " ORDER BY {t}.WyrazID DESC"});
    const QString top = pick({"", "", "TOP 1 ", "TOP 7 ", "TOP 100 "});
    const QString like = QStringLiteral("{c} LIKE '{p}'");
    // Mostly the word's LIKE first; otherwise after the other condition.
    const QString condition = random.bounded(4) > 0 || !extra.startsWith(" AND ")
                                  ? like + extra
                                  : extra.mid(5) + QStringLiteral(" AND ") + like;
    QString sql = QStringLiteral("SELECT %1%2 FROM %3 WHERE %4%5")
                      .arg(top, select, from, condition, order)
                      .replace("{c}", column)
                      .replace("{t}", table);
    for (qsizetype at; (at = sql.indexOf("{p}")) >= 0;)
        sql.replace(
            at, 3, random.bounded(4) == 0 ? pick(fixed) : randomPattern(random, dict, 1 + random.bounded(3)));
    return sql;
}

// A generated dictionary in alphabetical order, as the real ones are stored,
// with no, one or two descriptions per word (some of them Null).
class IndexDifferentialTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dict = new GeneratedDictionary(120000, 20240701, true);
        s_dict->dict().exec(
            "INSERT INTO OPISY (WyrazID, Opis) SELECT WyrazID, 'opis ' || lower(Wyraz) FROM WYRAZY WHERE "
            "WyrazID % 3 = 0;"
            "INSERT INTO OPISY (WyrazID, Opis) SELECT WyrazID, NULL FROM WYRAZY WHERE WyrazID % 5 = 0");
    }
    static void TearDownTestSuite() {
        delete s_dict;
        s_dict = nullptr;
    }
    static GeneratedDictionary* s_dict;
};

GeneratedDictionary* IndexDifferentialTest::s_dict = nullptr;

// Edge shapes first, then random patterns, each with or without TOP; then the
// lengths around the longest word kept letter by letter.
TEST_F(IndexDifferentialTest, LikeAndLengthAnswersEqualTheEnginesRowForRow) {
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
TEST_F(IndexDifferentialTest, RowFiltersDeliverTheSameRowsAndCounts) {
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

// Whether the statement is rewritten to start its scan further on.
bool rewrites(const QString& connectionString, const QString& sql) {
    const auto handle = ConnectionImpl::openHandle(ConnectionString::parse(connectionString));
    try {
        const QString engineSql = JetSqlTranslator::translate(sql);
        return WordRangeRewrite::apply(handle, engineSql) != engineSql;
    } catch (const AppError&) {
        return false;
    }
}

TEST_F(IndexDifferentialTest, RewrittenQueriesGiveTheEnginesRowsInItsOrder) {
    IndexDifferential compare(s_dict->connectionString());
    QRandomGenerator random(29);
    int rewritten = 0;
    int nonEmpty = 0;
    for (int i = 0; i < 300; ++i) {
        const QString sql = randomQuery(random, *s_dict);
        const auto [withRewrite, plain] = compare.run(sql);
        ASSERT_EQ(withRewrite, plain) << sql.toStdString();
        EXPECT_TRUE(plain.error.isEmpty()) << sql.toStdString() << " " << plain.error.toStdString();
        const bool rewritten1 = rewrites(s_dict->connectionString(), sql);
        rewritten += rewritten1;
        nonEmpty += rewritten1 && !plain.rows.isEmpty();
    }
    // The comparison is worth something only if many statements were rewritten and found rows
    // (an ordered TOP takes its tied rows through a sub-query and is left as it is).
    EXPECT_GT(rewritten, 60);
    EXPECT_GT(nonEmpty, 40);
}

// A few hundred words in alphabetical order: 200 beginning with A, 100 with
// K, 100 with Z, then ŻABA; a table of its own with a column Wyraz, and a view.
class WordRangeSmall : public ::testing::Test {
protected:
    void SetUp() override {
        QStringList words;
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPRSTU");
        for (const auto& [first, count] : {std::pair{'A', 200}, {'K', 100}, {'Z', 100}})
            for (int i = 0; i < count; ++i)
                words << QLatin1Char(first) + letters[i / 20] + letters[i % 20] + QStringLiteral("OT");
        words << QStringLiteral("ŻABA");
        dict = std::make_unique<TestDictionary>(
            words,
            QList<QPair<int, QString>>{{1, "pierwszy"}, {301, "zet"}, {301, "drugi opis"}, {401, "płaz"}});
        dict->exec("CREATE TABLE INNE (Wyraz VARCHAR(50), Ile INTEGER); INSERT INTO INNE VALUES ('ZAAOT', 1);"
                   "CREATE VIEW WIDOK AS SELECT * FROM WYRAZY");
    }
    std::unique_ptr<TestDictionary> dict;
};

TEST_F(WordRangeSmall, EveryShapeOfStatementGivesTheEnginesRows) {
    // Statements the rewrite serves and statements it must leave alone (an OR,
    // a NOT, a nested query, another table): either way the rows are the engine's.
    const char* const cases[] = {
        "SELECT TOP 100 UCASE(WYRAZY.Wyraz) AS Wyraz, Opis FROM WYRAZY LEFT JOIN OPISY ON WYRAZY.WyrazID = "
        "OPISY.WyrazID WHERE Wyraz LIKE 'Z__T%'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'ż%';",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'A%'", // the first rows match
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Z%' AND LEN(Wyraz) = 3 OR LEN(Wyraz) = 5",
        "SELECT Wyraz FROM WYRAZY WHERE NOT Wyraz LIKE 'Z%'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz NOT LIKE 'Z%'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Z%' = 0",
        "SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) BETWEEN 1 AND Wyraz LIKE 'Z%'",
        "SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) BETWEEN 1 BETWEEN 0 AND 2 AND Wyraz LIKE 'Z%'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Z%' ESCAPE '!'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '[Z'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Z' & '%'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Z%' UNION SELECT Opis FROM OPISY",
        "SELECT Wyraz FROM (SELECT * FROM WYRAZY) WHERE Wyraz LIKE 'Z%'",
        "SELECT Opis FROM OPISY WHERE WyrazID IN (SELECT WyrazID FROM WYRAZY WHERE Wyraz LIKE 'Z%')",
        "SELECT Opis FROM OPISY WHERE Opis LIKE 'z%'",
        "SELECT Ile FROM WYRAZY, INNE WHERE Wyraz LIKE 'Z%'",
        "SELECT WIDOK.Wyraz FROM WYRAZY, WIDOK WHERE WYRAZY.Wyraz LIKE 'Z%'",
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Z%' -- komentarz",
        "DELETE FROM WYRAZY WHERE Wyraz LIKE 'Z%'",
    };
    IndexDifferential compare(dict->connectionString(true));
    for (const char* sql : cases) {
        const auto [rewritten, plain] = compare.run(QString::fromUtf8(sql));
        EXPECT_EQ(rewritten, plain) << sql;
    }
}

} // namespace
