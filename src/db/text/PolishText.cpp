#include "db/text/PolishText.h"

#include <array>

namespace {
QChar upperCharSlow(QChar c) {
    const QString up = QString(c).toUpper();
    return up.size() == 1 ? up.at(0) : c;
}
} // namespace

const char16_t* PolishText::upperTable() {
    static const auto latin = [] {
        std::array<char16_t, UpperTableSize> table{};
        for (char16_t u = 0; u < table.size(); ++u)
            table[u] = upperCharSlow(QChar(u)).unicode();
        return table;
    }();
    return latin.data();
}

QChar PolishText::upperChar(QChar c) {
    return c.unicode() < UpperTableSize ? QChar(upperTable()[c.unicode()]) : upperCharSlow(c);
}

QString PolishText::upper(QStringView text) {
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = upperChar(text[i]);
    return result;
}

int PolishText::alphabetRank(char32_t c) {
    // A..Z with the nine Polish letters slotted in after their base letters.
    static const char32_t order[] = {U'A', U'Ą', U'B', U'C', U'Ć', U'D', U'E', U'Ę', U'F', U'G', U'H', U'I',
                                     U'J', U'K', U'L', U'Ł', U'M', U'N', U'Ń', U'O', U'Ó', U'P', U'Q', U'R',
                                     U'S', U'Ś', U'T', U'U', U'V', U'W', U'X', U'Y', U'Z', U'Ź', U'Ż'};
    static const auto table = [] {
        struct Table {
            unsigned char ascii[128] = {};
        } t;
        for (int i = 0; i < int(sizeof order / sizeof order[0]); ++i)
            if (order[i] < 128)
                t.ascii[order[i]] = static_cast<unsigned char>(i + 1);
        return t;
    }();
    if (c < 128)
        return table.ascii[c];
    switch (c) {
    case U'Ą':
        return 2;
    case U'Ć':
        return 5;
    case U'Ę':
        return 8;
    case U'Ł':
        return 16;
    case U'Ń':
        return 19;
    case U'Ó':
        return 21;
    case U'Ś':
        return 26;
    case U'Ź':
        return 34;
    case U'Ż':
        return 35;
    default:
        return 0;
    }
}
