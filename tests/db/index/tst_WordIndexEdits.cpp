#include "db/AppError.h"
#include "db/Command.h"
#include "db/Connection.h"
#include "db/RowFilter.h"
#include "db/index/WordIndexCache.h"
#include "support/GeneratedDictionary.h"
#include "support/IndexDifferential.h"
#include "support/TestDictionary.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <optional>

// The word index kept current through the single-row writes of the word and
// description commands, and read in the background: every answer after an
// edit must be the engine's, row for row, without reading the file again.

namespace {

// One statement, or several as one transaction as the delete of words sends
// them; whether it failed.
bool execute(const QString& connectionString, const QStringList& sql) {
    Command command;
    command.setActiveConnection(connectionString);
    command.setCommandText(sql[0]);
    try {
        sql.size() > 1 ? command.executeAll(sql) : command.execute();
    } catch (const AppError&) {
        return true;
    }
    return false;
}

// The statements of the four word searches, some with the row filters of
// the anagram and Scrabble searches (refresh rows every 3 and every 100).
struct Probe {
    QString sql;
    std::optional<RowFilter> filter;
};

// clang-format off
QList<Probe> probes() {
    return {
        {"SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", {}},
        {"SELECT TOP 3 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'", {}},
        {"SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE '%'", {}},
        {"SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K_____AŁ'", {}},
        {"SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE '____'", {}},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%OT%'", {}},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%'", {}},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 4", {}},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 4", RowFilter::anagram("TKOA", 3)},
        {"SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 8", RowFilter::anagram("ŁAKOMIAK", 100)},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%K%'", RowFilter::rack("K", {"O", "T", "A", "", "E"}, true, 3, 1, 3)},
        {"SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%O%'", RowFilter::rack("O", {"K", "T", "Ł", "", "W"}, true, 3, 1, 0)},
        // Free queries whose scan starts where the index puts the first match.
        {"SELECT UCASE(Wyraz) FROM WYRAZY WHERE Wyraz LIKE 'KOZA'", {}},
        {"SELECT UCASE(Wyraz) FROM WYRAZY WHERE Wyraz LIKE 'TOKA'", {}},
        {"SELECT UCASE(Wyraz) FROM WYRAZY WHERE Wyraz LIKE 'K-2'", {}},
    };
}
// clang-format on

// Edits as the word and description commands send them (one right after
// another program's write, which the index must not lose), then writes it
// cannot follow row by row (it is read again); after each, answers stay exact.
enum Kind { Followed, Unfollowed, Fails };

struct Edit {
    const char* name;
    QStringList sql;
    Kind kind = Followed;
    const char* byAnotherProgramFirst = nullptr;
};

const Edit kEdits[] = {
    {"add", {"INSERT INTO WYRAZY (Wyraz) VALUES ('KOTA')"}},
    {"add a second", {"INSERT INTO WYRAZY (Wyraz) VALUES ('KAMAŁ')"}},
    {"rename an early word", {"UPDATE WYRAZY SET Wyraz = 'KOZA' WHERE Wyraz = 'KOT'"}},
    {"rename the added word", {"UPDATE WYRAZY SET Wyraz = 'TOKA' WHERE Wyraz = 'KOTA'"}},
    {"add a description", {"INSERT INTO OPISY (WyrazID, Opis) VALUES (2, 'zwierzę')"}},
    {"delete two words in one transaction",
     {"DELETE FROM OPISY WHERE WyrazID IN (SELECT WyrazID FROM WYRAZY WHERE Wyraz IN ('KRET','TOKA'))",
      "DELETE FROM WYRAZY WHERE Wyraz IN ('KRET','TOKA')"}},
    {"remove a description", {"DELETE FROM OPISY WHERE WyrazID = 2 AND Opis IN ('zwierzę')"}},
    {"rename to small letters", {"UPDATE WYRAZY SET Wyraz = 'kawa' WHERE Wyraz = 'KOZA'"}},
    {"add a word the index keeps as text", {"INSERT INTO WYRAZY (Wyraz) VALUES ('K-2')"}},
    {"rename a word of many rows", {"UPDATE WYRAZY SET Wyraz = 'ŁAKOMIAK' WHERE Wyraz = 'KOŁO'"}},
    {"delete a word of many rows", {"DELETE FROM WYRAZY WHERE Wyraz = 'ŁAKOMIAK'"}},
    {"add back what was deleted", {"INSERT INTO WYRAZY (Wyraz) VALUES ('KRET')"}},
    {"empty the word", {"UPDATE WYRAZY SET Wyraz = NULL WHERE Wyraz = 'kawa'"}},
    // clang-format off
    {"rename after another program's add", {"UPDATE WYRAZY SET Wyraz = 'KOC' WHERE Wyraz = 'KRET'"}, Unfollowed, "INSERT INTO WYRAZY (Wyraz) VALUES ('KOTEK')"},
    {"many rows", {"UPDATE WYRAZY SET Wyraz = 'KOT' WHERE Wyraz LIKE '%A%'"}, Unfollowed},
    {"a row id moved", {"UPDATE WYRAZY SET WyrazID = 900000 WHERE Wyraz = 'KOC'"}, Unfollowed},
    {"a row id moved forward", {"UPDATE WYRAZY SET WyrazID = 0 WHERE WyrazID = 3000"}, Unfollowed},
    {"a number for a word", {"UPDATE WYRAZY SET Wyraz = 42 WHERE WyrazID = 3"}, Unfollowed},
    {"a row id taken", {"INSERT INTO WYRAZY (WyrazID, Wyraz) VALUES (1, 'KOS')"}, Fails},
    {"no row changed", {"UPDATE WYRAZY SET Wyraz = 'KOS' WHERE Wyraz = 'NIEMA'"}, Unfollowed},
    {"the schema changed", {"CREATE INDEX Wyrazy_Odwrotnie ON WYRAZY (Wyraz DESC)"}, Unfollowed},
    {"every row", {"DELETE FROM WYRAZY"}, Unfollowed},
    // clang-format on
};

class IndexAfterEdits : public ::testing::Test {
protected:
    void SetUp() override {
        WordIndexCache::clear();
        // Enough rows that TOP and the refresh rows fall inside the table.
        QStringList words = {"KOT", "KRET", "ŻÓŁW", "KOŁO"};
        QRandomGenerator random(5);
        for (int i = 0; i < 3000; ++i) {
            QString w;
            for (int n = 2 + random.bounded(7); n > 0; --n)
                w += QStringLiteral("AKOTEŁWZ")[random.bounded(8)];
            words << w;
        }
        words.insert(1500, "KOŁO");
        words << "KOŁO";
        m_dict = std::make_unique<TestDictionary>(words);
        m_cs = m_dict->connectionString();
        m_compare.emplace(m_cs); // its connections keep the file's index in use
    }
    void TearDown() override { WordIndexCache::foldAfter(512); }

    // Every probe answered alike from memory and by the engine.
    void expectSameAsEngine(const char* after) {
        for (const Probe& p : probes()) {
            const auto [fromIndex, fromEngine] = m_compare->run(p.sql, p.filter);
            EXPECT_EQ(fromIndex, fromEngine) << "after " << after << ": " << p.sql.toStdString();
        }
    }

    std::unique_ptr<TestDictionary> m_dict;
    QString m_cs;
    std::optional<IndexDifferential> m_compare;
};

TEST_F(IndexAfterEdits, EveryAnswerIsTheEnginesAndFollowedEditsReadNothingAgain) {
    expectSameAsEngine("the start");
    for (const Edit& edit : kEdits) {
        const int builds = WordIndexCache::stats().builds;
        if (edit.byAnotherProgramFirst)
            m_dict->exec(QString::fromUtf8(edit.byAnotherProgramFirst));
        EXPECT_EQ(execute(m_cs, edit.sql), edit.kind == Fails) << edit.name;
        expectSameAsEngine(edit.name);
        EXPECT_TRUE(edit.kind != Followed || WordIndexCache::stats().builds == builds)
            << "read again: " << edit.name;
    }
}

TEST_F(IndexAfterEdits, ManyEditsAreFoldedIntoAFreshIndexInTheBackground) {
    WordIndexCache::prepare(m_cs);
    WordIndexCache::waitIdle();
    WordIndexCache::foldAfter(4);
    const int builds = WordIndexCache::stats().builds;
    for (const Edit& edit : kEdits) {
        if (edit.kind == Followed)
            execute(m_cs, edit.sql);
    }
    // Answers stay exact while the fresh index is being read and after.
    expectSameAsEngine("the edits");
    WordIndexCache::waitIdle();
    // A fresh index was read: folded, or read again when an edit raced the fold.
    EXPECT_GT(WordIndexCache::stats().builds, builds);
    expectSameAsEngine("the fold");
}

// A search while the index is being read is answered and leaves one reading
// counted (whether it waited or read the file itself, abandoning the other
// reading, the counts cannot tell); once read, asking again reads nothing.
TEST(IndexInBackground, TheReadingInProgressServesTheSearchAndIsNotRepeatedOnceDone) {
    WordIndexCache::clear();
    GeneratedDictionary dict(40000, 99);
    const QString cs = dict.connectionString();
    const int builds = WordIndexCache::stats().builds;
    WordIndexCache::prepare(cs);
    Connection connection;
    connection.open(cs);
    const Outcome first = runStatement(connection, "SELECT TOP 10 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K%'");
    EXPECT_EQ(first.rows.size(), 10) << first;
    WordIndexCache::waitIdle();
    EXPECT_EQ(WordIndexCache::stats().builds, builds + 1);
    WordIndexCache::prepare(cs);
    EXPECT_FALSE(WordIndexCache::preparing(dict.dict().path()));
    runStatement(connection, "SELECT TOP 10 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'A%'");
    EXPECT_EQ(WordIndexCache::stats().builds, builds + 1);
}

} // namespace
