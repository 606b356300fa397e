#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

// A row test that a search would otherwise make on every row it reads, handed
// to the provider so that it runs next to the data: the anagram test of the
// crossword search and the rack fit of the Scrabble search. It only thins the
// rows out; the search still decides on every row it receives. Rows whose
// number in the statement's result is a multiple of keepEvery are delivered
// whatever the test says, so that the caller's refresh points fall on rows it
// sees; the recordset tells how many rows it passed over before each one.
struct RowFilter {
    enum class Kind { Anagram, Rack };

    Kind kind = Kind::Anagram;
    // Anagram: a row passes when its word, upper-cased, is a rearrangement of
    // the pool (ordinal comparison, repeated letters counted).
    QString pool;
    // Rack: a row passes when the word, upper-cased, meets the length rule,
    // holds the board letters and leaves a non-empty rest that the rack covers
    // (exact tiles first, then blanks; each field once).
    QString board;     // upper-cased, in pattern order
    QStringList tiles; // upper-cased rack fields; an empty text is a blank
    bool hasStars = false;
    int patternLength = 0; // without stars the word has exactly this length
    int shortest = 0;      // with stars: letters + questions ...
    int longest = 15;      // ... up to this length
    // Deliver every row whose 1-based number is a multiple of this; 0: none.
    qint32 keepEvery = 0;

    static RowFilter anagram(const QString& pool, qint32 keepEvery);
    static RowFilter rack(const QString& board, const QStringList& tiles, bool hasStars, int patternLength,
                          int shortest, qint32 keepEvery);

    // The test on a field value as read (Null is the empty text).
    bool passes(const QVariant& value) const;
    bool passes(QStringView word) const;

    int blanks() const;
};
