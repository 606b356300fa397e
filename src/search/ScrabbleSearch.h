#pragma once

#include "search/ValidationFailure.h"

#include <QString>
#include <QStringList>

#include <optional>

// The Scrabble search: the board pattern (txtPattern as typed), the texts of
// the rack fields U(0)..U(N-1) (an empty text is a blank) and whether more
// than two blanks are allowed.
struct ScrabbleSearch {
    QString pattern;
    QStringList rack;
    bool manyBlanks = false;

    int stars() const;
    int questions() const;
    int letters() const; // board letters: pattern length less stars and questions
    int blanks() const;  // empty rack fields
    int rackSize() const { return static_cast<int>(rack.size()); }

    // The eight checks in their order; the first failing one.
    std::optional<ValidationFailure> validate() const;

    QString sqlPattern() const;   // "*" -> "%", "?" -> "_"
    QString boardLetters() const; // the pattern's letters in order, upper-cased
    // No TOP: the rack test runs in the program, which counts its own limit.
    QString sql() const;

    // The row test, with everything the pattern and the rack give worked out
    // once, since a pattern with stars can stream most of the dictionary.
    class Matcher {
    public:
        explicit Matcher(const ScrabbleSearch& search);

        // Length rule: without stars exactly the pattern's length, with stars
        // from letters + questions up to 15 letters.
        bool isCandidate(const QString& word) const;
        // The word less the board letters, each cut at its first occurrence;
        // nothing when a board letter is not in the word.
        std::optional<QString> remainder(const QString& word) const;
        // Tiles the rack gives for the remainder (its length), or 0 when it does
        // not fit. An exact rack letter is taken before a blank; each field
        // serves once.
        int tilesUsed(const QString& remainder) const;
        // Row decision for an upper-cased word: nothing when it fails the length
        // rule (not even a candidate), 0 for a candidate not listed, otherwise
        // the tiles used.
        std::optional<int> decide(const QString& word) const;

    private:
        bool m_hasStars;
        qsizetype m_patternLength;
        qsizetype m_shortest; // letters + questions
        QString m_board;
        QStringList m_tiles; // upper-cased
        int m_blanks;
    };

    Matcher matcher() const { return Matcher(*this); }
};
