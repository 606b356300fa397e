#pragma once

#include "db/RowFilter.h"
#include "db/index/BigArray.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
class JetLike;

// The words of WYRAZY held in memory, so that the statements of the word
// searches are answered in milliseconds instead of by a scan with LIKE. Rows
// come back exactly as the engine would return them: the same words, in the
// order of a full scan of the table, TOP counted the same way.
//
// A word made only of the 35 letters of the alphabet (either case, up to 64
// letters) is kept as one code per letter, bucketed by length, in row order
// (to check one word) and in column order (to check one position of 64 words
// at once), with a presence bitmap per letter. Any other word is kept as its
// text and matched with the provider's own LIKE, so every file is answered.
class WordIndex {
public:
    static constexpr int MaxLength = 64;

    // Reads the words through `db` in the order a full scan returns them.
    // Returns nothing when the file cannot be answered exactly from memory
    // (no table WYRAZY, a value that is not text, a scan order the searches'
    // statements would not share); those files are left to the engine.
    // A build in the background stops early, with nothing, once `cancel` is set.
    static std::unique_ptr<WordIndex> build(sqlite3* db, const std::atomic<bool>* cancel = nullptr);

    // The rows of one statement, each as where its word is kept. Without a
    // filter every row is delivered; with one, skippedBefore[i] is the number
    // of the statement's rows passed over before rows[i], and skippedAfter
    // those after the last.
    struct Rows {
        std::vector<quint64> words;
        std::vector<quint32> skippedBefore;
        qint64 skippedAfter = 0;
        bool filtered = false;
    };

    // Rows written since the index was built, as one statement sees them: the
    // rows gone (by row number) and the added rows the statement matches, each
    // placed before the row number it precedes in a scan. An added row's word
    // is delivered as addedPlace(id) and its text is the caller's to keep.
    struct Edits {
        struct Added {
            quint32 before;
            quint32 id;
            bool passes; // the row filter's verdict (with a filter only)
        };
        std::vector<quint32> removed; // ascending
        std::vector<Added> added;     // in scan order
        bool empty() const { return removed.empty() && added.empty(); }
    };
    static constexpr quint32 kAdded = 0xFE;
    static quint64 addedPlace(quint32 id) { return quint64(kAdded) << 32 | id; }
    static bool isAdded(quint64 where) { return quint32(where >> 32) == kAdded; }

    // SELECT [TOP top] Wyraz FROM WYRAZY WHERE Wyraz LIKE pattern (top < 0: no TOP).
    Rows like(const JetLike& pattern, qint64 top, const RowFilter* filter,
              const Edits* edits = nullptr) const;
    // SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = length
    Rows withLength(qint64 length, const RowFilter* filter, const Edits* edits = nullptr) const;

    // Whether rows written later can be placed among the indexed ones: the
    // scan reads them in increasing row id order and every row id is known.
    bool editable() const { return m_editable; }
    // The row number of the row with this id, if the index holds it.
    std::optional<quint32> rowOf(qint64 rowid) const;
    // The number of indexed rows whose id is below `rowid`: where a row with
    // that id stands in a scan.
    quint32 rowsBefore(qint64 rowid) const;

    // A row id at or below that of the first row whose word matches, so that
    // a query scanning WYRAZY in row id order may start there; past the last
    // row id when no row matches. Nothing when it would skip no row, or when
    // the rows were not read in increasing row id order.
    std::optional<qint64> rowidBound(const JetLike& pattern) const;

    // The text of a row as the engine returns it.
    QString word(quint64 where) const;
    // Asks the processor to fetch a word that will be read soon.
    void prefetch(quint64 where) const;
    quint32 wordCount() const { return m_count; }
    qint64 memoryBytes() const;

    // The vector instructions the block tests use: the widest the processor
    // has, unless a test or a benchmark picks another available one to
    // compare. Basic is SSE2 on x86-64 and plain code elsewhere.
    enum class Vectors { Basic, Avx2, Avx512 };
    static std::vector<Vectors> availableVectors();
    // Ignored for a width the processor does not have.
    static void useVectors(Vectors vectors);
    // A statement without TOP that looks at this many letters or more is
    // matched on two threads; a test lowers it to run that path on a small
    // dictionary (negative: back to the usual size).
    static void useTwoThreadsFrom(qint64 letters);

    struct Bucket;
    struct Other;
    struct Pattern;
    struct Filter;
    struct BlockMatcher;

    WordIndex();
    ~WordIndex();
    WordIndex(const WordIndex&) = delete;
    WordIndex& operator=(const WordIndex&) = delete;

private:
    Rows assemble(std::vector<quint64>& matched, const std::vector<quint64>& passed, qint64 top,
                  const RowFilter* filter, const Edits* edits) const;
    // Where the words of rows (by row number) are kept.
    // (added rows pass through as they are)
    std::vector<quint64> locate(const std::vector<quint64>& ordinals) const;
    quint32 ordinalOf(quint64 where) const;
    // The unfiltered rows of the index merged with the edits, the first `top`.
    Rows merged(const Rows& base, const Edits& edits, qint64 top) const;
    std::vector<quint64> withOthers(int length, const std::vector<quint32>& hits,
                                    const std::vector<quint32>& others, qint64 cap) const;

    std::vector<Bucket> m_buckets; // by length, 0..MaxLength
    std::vector<Other> m_others;   // in row order
    BigArray<quint8> m_lengthOf;   // per row: its bucket, or kOther
    BigArray<quint32> m_slotOf;    // per row: its place in the bucket (or in m_others)
    quint32 m_count = 0;
    std::vector<qint64> m_rowids; // of every 64th row; empty when not in increasing order
    qint64 m_rowidEnd = 0;        // above every row id of the table
    BigArray<quint32> m_rowidOf;  // per row, when editable (ids below 2^32)
    bool m_editable = false;
    int m_rarity[36] = {}; // letters by how few words hold them, rarest first: rank per code
};
