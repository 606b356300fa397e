#include "db/RowFilter.h"

#include "db/text/PolishText.h"

#include <QVarLengthArray>

#include <array>

RowFilter RowFilter::anagram(const QString& pool, qint32 keepEvery) {
    RowFilter f;
    f.kind = Kind::Anagram;
    f.pool = pool;
    f.keepEvery = keepEvery;
    return f;
}

RowFilter RowFilter::rack(const QString& board, const QStringList& tiles, bool hasStars, int patternLength,
                          int shortest, qint32 keepEvery) {
    RowFilter f;
    f.kind = Kind::Rack;
    f.board = board;
    for (const QString& tile : tiles)
        f.tiles << PolishText::upper(tile);
    f.hasStars = hasStars;
    f.patternLength = patternLength;
    f.shortest = shortest;
    f.keepEvery = keepEvery;
    return f;
}

int RowFilter::blanks() const {
    int count = 0;
    for (const QString& tile : tiles)
        count += tile.isEmpty();
    return count;
}

bool RowFilter::passes(const QVariant& value) const {
    const QString text = value.isNull() ? QString() : value.toString();
    return passes(QStringView(text));
}

bool RowFilter::passes(QStringView text) const {
    const QString word = PolishText::upper(text);
    if (kind == Kind::Anagram) {
        if (word.size() != pool.size() || pool.isEmpty())
            return false;
        QString rest = pool;
        for (const QChar c : word) {
            const qsizetype at = rest.indexOf(c);
            if (at < 0)
                return false;
            rest.remove(at, 1);
        }
        return true;
    }

    const qsizetype length = word.size();
    if (hasStars ? (length < shortest || length > longest) : length != patternLength)
        return false;
    QString rest = word;
    for (const QChar letter : board) {
        const qsizetype at = rest.indexOf(letter);
        if (at < 0)
            return false;
        rest.remove(at, 1);
    }
    if (rest.isEmpty())
        return false;
    QVarLengthArray<bool, 8> used(tiles.size(), false);
    int blanksFree = blanks();
    for (const QChar c : rest) {
        const QChar letter = PolishText::upperChar(c);
        bool placed = false;
        for (qsizetype i = 0; i < tiles.size() && !placed; ++i) {
            if (!used[i] && tiles[i].size() == 1 && tiles[i].at(0) == letter)
                placed = used[i] = true;
        }
        for (qsizetype i = 0; i < tiles.size() && !placed && blanksFree >= 1; ++i) {
            if (!used[i] && tiles[i].isEmpty()) {
                placed = used[i] = true;
                --blanksFree;
            }
        }
        if (!placed)
            return false;
    }
    return true;
}
