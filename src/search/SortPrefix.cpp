#include "search/SortPrefix.h"

#include <algorithm>
#include <array>

namespace {

constexpr int CharsPerWord = 10;
constexpr int BitsPerChar = 6;
constexpr char16_t TableSize = 0x180; // through Latin Extended-A, where the Polish letters are

// Rank of a character in the Polish collation's primary order: space, digits,
// then A Ą B C Ć ... Z Ź Ż (a lower-case letter ranks as its capital); 0 for
// any other character. 0 is also the end of the text, below everything.
struct RankTable {
    std::array<quint8, TableSize> ranks{};

    RankTable() {
        ranks[u' '] = 1;
        for (char16_t d = u'0'; d <= u'9'; ++d)
            ranks[d] = static_cast<quint8>(2 + (d - u'0'));
        const QString letters = QString::fromUtf8("AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ");
        for (qsizetype i = 0; i < letters.size(); ++i) {
            const auto value = static_cast<quint8>(12 + i);
            ranks[letters.at(i).unicode()] = value;
            ranks[letters.at(i).toLower().unicode()] = value;
        }
    }
};

int rank(QChar c) {
    static const RankTable table;
    const char16_t u = c.unicode();
    return u < TableSize ? table.ranks[u] : 0;
}

} // namespace

SortPrefix SortPrefix::of(const QString& text) {
    quint64 words[2] = {0, 0};
    const qsizetype length = std::min<qsizetype>(text.size(), 2 * CharsPerWord);
    for (qsizetype i = 0; i < length; ++i) {
        const int r = rank(text.at(i));
        if (r == 0)
            return SortPrefix{~quint64(0), ~quint64(0)};
        const int shift = 64 - BitsPerChar * static_cast<int>(i % CharsPerWord + 1);
        words[i / CharsPerWord] |= quint64(r) << shift;
    }
    return SortPrefix{words[0], words[1]};
}
