#include "search/ScrabbleSearch.h"

#include "common/modMain.h"
#include "search/PatternSearch.h"
#include "search/SearchTexts.h"

#include <QVarLengthArray>

namespace {
constexpr int MaxWordLetters = 15;
constexpr int MaxBoardLetters = 14;
constexpr int MaxBlanks = 2;

ValidationFailure patternFailure(const char16_t* text) {
    return ValidationFailure{QString::fromUtf16(text), SearchField::txtPattern};
}
} // namespace

int ScrabbleSearch::stars() const {
    return static_cast<int>(pattern.count(QLatin1Char('*')));
}

int ScrabbleSearch::questions() const {
    return static_cast<int>(pattern.count(QLatin1Char('?')));
}

int ScrabbleSearch::letters() const {
    return static_cast<int>(pattern.size()) - stars() - questions();
}

int ScrabbleSearch::blanks() const {
    int count = 0;
    for (const QString& tile : rack)
        if (tile.isEmpty())
            ++count;
    return count;
}

std::optional<ValidationFailure> ScrabbleSearch::validate() const {
    if (pattern.isEmpty())
        return patternFailure(u"Proszę wypełnić wzorzec.");
    // Before the character check: a pattern without wildcards is told so first.
    if (stars() == 0 && questions() == 0)
        return patternFailure(u"Wzorzec nie zawiera żadnego symbolu wieloznacznego (*, ?).");
    if (!modMain::CheckPattern(pattern))
        return patternFailure(u"Wzorzec zawiera niedozwolony znak.");
    if (letters() == 0)
        return patternFailure(u"Proszę podać minimum jedną literę we wzorcu.");
    if (letters() > MaxBoardLetters)
        return patternFailure(u"Liczba liter we wzorcu przekracza 14.");
    if (letters() + questions() > MaxWordLetters)
        return patternFailure(u"Liczba liter oraz znaków (?) we wzorcu przekracza 15.");
    if (rackSize() < questions())
        return patternFailure(u"Liczba liter na stojaku jest mniejsza niż liczba znaków (?).");
    if (blanks() > MaxBlanks && !manyBlanks)
        return ValidationFailure{QStringLiteral("Liczba blanków na stojaku przekracza dwa."),
                                 SearchField::Unchanged};
    return std::nullopt;
}

QString ScrabbleSearch::sqlPattern() const {
    return PatternSearch::toSqlPattern(pattern);
}

QString ScrabbleSearch::boardLetters() const {
    QString board = sqlPattern();
    board.remove(QLatin1Char('%'));
    board.remove(QLatin1Char('_'));
    return SearchTexts::upper(board);
}

QString ScrabbleSearch::sql() const {
    return QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '") + modMain::UATrim(sqlPattern()) +
           QStringLiteral("'");
}

ScrabbleSearch::Matcher::Matcher(const ScrabbleSearch& search)
    : m_hasStars(search.stars() > 0), m_patternLength(search.pattern.size()),
      m_shortest(search.letters() + search.questions()), m_board(search.boardLetters()),
      m_blanks(search.blanks()) {
    for (const QString& tile : search.rack)
        m_tiles.append(SearchTexts::upper(tile));
}

bool ScrabbleSearch::Matcher::isCandidate(const QString& word) const {
    const qsizetype length = word.size();
    if (!m_hasStars)
        return length == m_patternLength;
    return m_shortest <= length && length <= MaxWordLetters;
}

std::optional<QString> ScrabbleSearch::Matcher::remainder(const QString& word) const {
    QString rest = word;
    for (const QChar letter : m_board) {
        const qsizetype at = rest.indexOf(letter);
        if (at < 0)
            return std::nullopt;
        rest.remove(at, 1);
    }
    return rest;
}

int ScrabbleSearch::Matcher::tilesUsed(const QString& remainder) const {
    const qsizetype n = m_tiles.size();
    QVarLengthArray<bool, 8> used(n, false);
    int blanksFree = m_blanks;
    for (const QChar c : remainder) {
        const QChar letter = modMain::UpperChar(c);
        bool placed = false;
        for (qsizetype i = 0; i < n && !placed; ++i) {
            const QString& tile = m_tiles.at(i);
            if (!used[i] && tile.size() == 1 && tile.at(0) == letter) {
                used[i] = true;
                placed = true;
            }
        }
        if (!placed && blanksFree >= 1) {
            for (qsizetype i = 0; i < n && !placed; ++i) {
                if (!used[i] && m_tiles.at(i).isEmpty()) {
                    used[i] = true;
                    --blanksFree;
                    placed = true;
                }
            }
        }
        if (!placed)
            return 0;
    }
    return static_cast<int>(remainder.size());
}

std::optional<int> ScrabbleSearch::Matcher::decide(const QString& word) const {
    if (!isCandidate(word))
        return std::nullopt;
    // A board letter missing from the word can only come from a LIKE that
    // compares letters differently from the upper-casing: skip the word.
    const std::optional<QString> rest = remainder(word);
    if (!rest)
        return 0;
    return tilesUsed(*rest);
}
