#include "db/AppError.h"
#include "db/ConnectionImpl.h"
#include "db/ConnectionString.h"
#include "db/index/WordRangeRewrite.h"
#include "db/jet/JetSqlTranslator.h"
#include "support/GeneratedDictionary.h"
#include "support/IndexDifferential.h"
#include "support/TestDictionary.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

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
        "SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Z%'",
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

// A dictionary in alphabetical order, as the real ones are stored, with no,
// one or two descriptions per word (some of them Null).
class WordRangeDifferential : public ::testing::Test {
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

GeneratedDictionary* WordRangeDifferential::s_dict = nullptr;

// Mostly the start of a word of the dictionary, as crossword queries are.
QString randomPattern(QRandomGenerator& random, const GeneratedDictionary& dict) {
    static const QStringList fixed = {"Ż%", "ż%", "ŹDŹ%", "Ł_K%", "[KL]%", "[!A-K]%", "[Ś-Ż]_%", "ZZZZQ%",
                                      "%",  "_",  "Q#%",  "#%",   "%A",    "K__T%",   "ć%",      "[ŃÓ]%"};
    if (random.bounded(4) == 0)
        return fixed[random.bounded(int(fixed.size()))];
    const QString word = dict.anyWord(random).section(QLatin1Char('\''), 0, 0);
    QString pattern;
    const int kept = 1 + random.bounded(3); // the first letters, then letters or "_" up to a point
    for (qsizetype i = 0; i < word.size(); ++i) {
        const int choice = random.bounded(10);
        if (i >= kept && choice >= 7)
            break;
        pattern += i < kept && choice < 3    ? QString(word[i].toLower())
                   : i >= kept && choice < 5 ? QStringLiteral("_")
                                             : QString(word[i]);
    }
    return random.bounded(3) > 0 ? pattern + QLatin1Char('%') : pattern;
}

// A statement put together from these parts: {t} stands for WYRAZY's name,
// {c} for its column Wyraz, each {p} for a pattern of its own.
QString randomQuery(QRandomGenerator& random, const GeneratedDictionary& dict) {
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
        sql.replace(at, 3, randomPattern(random, dict));
    return sql;
}

TEST_F(WordRangeDifferential, RewrittenQueriesGiveTheEnginesRowsInItsOrder) {
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

} // namespace
