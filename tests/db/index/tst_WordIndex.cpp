#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/Recordset.h"
#include "db/RowFilter.h"
#include "db/index/IndexedStatement.h"
#include "db/index/WordIndex.h"
#include "db/index/WordIndexCache.h"
#include "db/text/PolishText.h"
#include "support/GeneratedDictionary.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <optional>

namespace {

// What a statement delivers: the words, the rows passed over before each and
// at the end, or the error it raised.
struct Delivered {
    QStringList words;
    QList<qint64> skipped;
    QString error;

    bool operator==(const Delivered&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Delivered& d) {
    out << d.words.size() << " rows";
    for (qsizetype i = 0; i < std::min<qsizetype>(d.words.size(), 8); ++i)
        out << " " << d.words[i].toStdString() << "/" << d.skipped[i];
    if (!d.skipped.isEmpty())
        out << " end/" << d.skipped.back();
    if (!d.error.isEmpty())
        out << " error: " << d.error.toStdString();
    return out;
}

Delivered deliver(Connection& connection, const QString& sql, const std::optional<RowFilter>& filter = {}) {
    Delivered d;
    try {
        Recordset rs;
        rs.setRowFilter(filter);
        rs.open(sql, connection);
        while (!rs.eof()) {
            d.skipped << rs.rowsSkipped();
            d.words << rs.value(0).toString();
            rs.moveNext();
        }
        d.skipped << rs.rowsSkipped();
    } catch (const AppError& e) {
        d.error = e.description();
    }
    return d;
}

// Answering from memory is switched off for the life of this object.
struct EngineOnly {
    EngineOnly() { WordIndexCache::setEnabled(false); }
    ~EngineOnly() { WordIndexCache::setEnabled(true); }
};

// The same statement through the index and through the engine. The index
// answers with every vector width the processor has, and on two threads;
// they must all agree.
struct Comparison {
    explicit Comparison(const QString& connectionString) {
        indexed.open(connectionString);
        engine.open(connectionString);
    }
    std::pair<Delivered, Delivered> run(const QString& sql, const std::optional<RowFilter>& filter = {}) {
        const std::vector<WordIndex::Vectors> widths = WordIndex::availableVectors();
        Delivered fromIndex;
        for (const WordIndex::Vectors width : widths) {
            WordIndex::useVectors(width);
            Delivered delivered = deliver(indexed, sql, filter);
            if (width != widths.front() && !(delivered == fromIndex))
                delivered.error += QStringLiteral(" (differs with vector width %1)").arg(int(width));
            fromIndex = delivered;
        }
        // Statements without TOP split their work between two threads when
        // it is large; here every one of them does.
        WordIndex::useTwoThreadsFrom(0);
        Delivered shared = deliver(indexed, sql, filter);
        WordIndex::useTwoThreadsFrom(-1);
        if (!(shared == fromIndex))
            fromIndex.error += QStringLiteral(" (differs on two threads)");
        EngineOnly off;
        return {fromIndex, deliver(engine, sql, filter)};
    }
    Connection indexed;
    Connection engine;
};

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
    Comparison compare(s_dict->connectionString());
    QRandomGenerator random(7);
    int nonEmpty = 0;
    for (int i = 0; i < 400; ++i) {
        const QString sql = likeStatement(random, randomPattern(random, *s_dict));
        const auto [fromIndex, fromEngine] = compare.run(sql);
        ASSERT_EQ(fromIndex, fromEngine) << sql.toStdString();
        nonEmpty += !fromIndex.words.isEmpty();
    }
    EXPECT_GT(nonEmpty, 150); // the patterns did find words
    EXPECT_EQ(WordIndexCache::stats().memoryBytes > 0, true);
}

TEST_F(WordIndexDifferential, FixedShapesAndEdgePatterns) {
    Comparison compare(s_dict->connectionString());
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
    Comparison compare(s_dict->connectionString());
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
            passing += fromIndex.words.size() > fromIndex.skipped.size() / 2;
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

TEST(WordIndex, StatementsRecognisedExactly) {
    struct Case {
        const char* sql;
        bool recognised;
    };
    const Case cases[] = {
        {"SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K_____AŁ'", true},
        {"select top 5 wyraz from wyrazy where WYRAZ like 'k%'", true},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%R___E%'", true},
        {"SELECT Wyraz\n FROM\tWYRAZY WHERE Wyraz LIKE ''", true},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 6", true},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN ( Wyraz )=6", true},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'O''BRIEN'", false},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%';", false},
        {"SELECT [Wyraz] FROM WYRAZY WHERE Wyraz LIKE 'K%'", false},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%' ORDER BY Wyraz", false},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE \"K%\"", false},
        {"SELECT Wyraz FROM WYRAZY WHERE Opis LIKE 'K%'", false},
        {"SELECT Wyraz, WyrazID FROM WYRAZY WHERE Wyraz LIKE 'K%'", false},
        {"SELECT TOP 5 Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 6", false},
        {"SELECT TOP Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", false},
        {"SELECT TOP 5.5 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", false},
        {"SELECT TOP 99999999999999999999 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", false},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 6 OR 1=1", false},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = -6", false},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%' -- comment", false},
        {"SELECT Wyraz FROM WYRAZY2 WHERE Wyraz LIKE 'K%'", false},
        {"SELECT\u00a0Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", false},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%' \t\r\n", true},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'\u2003", false},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%", false},
        {"SELECT TOP 5Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", false},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 6_", false},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 6e1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IndexedStatement::parse(QString::fromUtf8(c.sql)).has_value(), c.recognised) << c.sql;
    const auto top =
        IndexedStatement::parse(QStringLiteral("SELECT TOP 12 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'A_'"));
    ASSERT_TRUE(top);
    EXPECT_EQ(top->top, 12);
    EXPECT_EQ(top->pattern, QStringLiteral("A_"));
    const auto length =
        IndexedStatement::parse(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 07"));
    ASSERT_TRUE(length);
    EXPECT_EQ(length->kind, IndexedStatement::Kind::Length);
    EXPECT_EQ(length->length, 7);
}

QStringList words(const QString& connectionString, const QString& pattern) {
    Connection connection;
    connection.open(connectionString);
    return deliver(connection, QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%1'").arg(pattern))
        .words;
}

void execute(const QString& connectionString, const QString& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandText(sql);
    command.execute();
}

TEST(WordIndex, WritesThroughTheProviderAreSeenByTheNextSearch) {
    TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("KRET"), QStringLiteral("ŻÓŁW")});
    const QString cs = dict.connectionString();
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KOT", "KRET"}));
    const int builds = WordIndexCache::stats().builds;
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KOT", "KRET"}));
    EXPECT_EQ(WordIndexCache::stats().builds, builds); // answered by the same index

    execute(cs, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('KOTEK')"));
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KOT", "KRET", "KOTEK"}));
    execute(cs, QStringLiteral("UPDATE WYRAZY SET Wyraz = 'KRETY' WHERE Wyraz = 'KRET'"));
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KOT", "KRETY", "KOTEK"}));
    execute(cs, QStringLiteral("DELETE FROM WYRAZY WHERE Wyraz = 'KOT'"));
    EXPECT_EQ(words(cs, "K%"), (QStringList{"KRETY", "KOTEK"}));

    // A write through a recordset on a connection that then searches again.
    Connection connection;
    connection.open(cs);
    Recordset write;
    write.open(QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('KIT')"), connection);
    write.close();
    EXPECT_EQ(deliver(connection, QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'")).words,
              (QStringList{"KRETY", "KOTEK", "KIT"}));
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
    const QString cli = QStringLiteral(LITERON_BIN_DIR "/literon-cli");
    ASSERT_TRUE(QFileInfo::exists(cli));
    const QString list = dict.folder() + QStringLiteral("/nowe.txt");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("koza\n");
    file.close();
    QProcess process;
    process.start(cli, {QStringLiteral("import"), dict.path(), list});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QStringList afterImport = words(cs, "K%");
    EXPECT_TRUE(afterImport.contains(QStringLiteral("KOZA"))) << afterImport.join(' ').toStdString();
    Comparison compare(cs);
    const auto [fromIndex, fromEngine] =
        compare.run(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'"));
    EXPECT_EQ(fromIndex, fromEngine);
}

TEST(WordIndex, FilesItCannotServeAreLeftToTheEngine) {
    // Bytes among the words: the engine's LIKE sees them as text, the row as bytes.
    TestDictionary dict({QStringLiteral("KOT"), QStringLiteral("KRET")});
    dict.exec(QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES (X'4B4F43')"));
    Comparison compare(dict.connectionString());
    for (const QString& sql : {QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%'"),
                               QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 2")}) {
        const auto [fromIndex, fromEngine] = compare.run(sql);
        EXPECT_EQ(fromIndex, fromEngine) << sql.toStdString();
    }
    EXPECT_EQ(WordIndexCache::stats().memoryBytes, 0);
}

TEST(WordIndex, AccessDictionariesAreServedAlike) {
    const QString path = QStringLiteral(LITERON_FIXTURES_DIR "/mdb/slownik.mdb");
    Comparison compare(ConnectionString::build(true, path, QString()));
    for (const char* pattern : {"K%", "%A%", "K_____AŁ", "%[!K]", "______"}) {
        const QString sql = QStringLiteral("SELECT TOP 50 Wyraz FROM WYRAZY WHERE Wyraz LIKE '%1'")
                                .arg(QString::fromUtf8(pattern));
        const auto [fromIndex, fromEngine] = compare.run(sql);
        EXPECT_EQ(fromIndex, fromEngine) << sql.toStdString();
        EXPECT_FALSE(fromIndex.words.isEmpty()) << sql.toStdString();
    }
    const auto [fromIndex, fromEngine] =
        compare.run(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 6"),
                    RowFilter::anagram(QStringLiteral("KROTNA"), 0));
    EXPECT_EQ(fromIndex, fromEngine);
    EXPECT_TRUE(fromIndex.words.contains(QStringLiteral("KARTON")));
}

TEST(WordIndex, ErrorsOfTheStatementAreTheEngines) {
    TestDictionary dict({QStringLiteral("KOT")});
    Comparison compare(dict.connectionString());
    for (const QString& sql : {QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '[K'"),
                               QStringLiteral("SELECT TOP 5 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K['")}) {
        const auto [fromIndex, fromEngine] = compare.run(sql);
        EXPECT_EQ(fromIndex, fromEngine) << sql.toStdString();
        EXPECT_FALSE(fromIndex.error.isEmpty()) << sql.toStdString();
    }
    TestDictionary noWords;
    noWords.exec(QStringLiteral("DROP TABLE WYRAZY"));
    Comparison missing(noWords.connectionString());
    const auto [fromIndex, fromEngine] =
        missing.run(QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'"));
    EXPECT_EQ(fromIndex, fromEngine);
    EXPECT_FALSE(fromIndex.error.isEmpty());
}

} // namespace
