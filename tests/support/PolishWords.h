#pragma once

#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

// Words in Polish alphabetical order: each letter with a diacritic right after
// its base letter (A Ą, C Ć, E Ę, L Ł, N Ń, O Ó, S Ś, Z Ź Ż), a word before its
// longer forms, a digraph as two letters.
inline const QStringList& polishOrder() {
    static const QStringList words = {"AB",   "ABA", "ĄB",   "BAL",  "CEL",   "CZAS",  "ĆMA",    "EC",   "ĘC",
                                      "LAS",  "LUK", "ŁAWA", "ŁUK",  "MAK",   "NA",    "ŃA",     "OWCA", "ÓW",
                                      "PŁOT", "SOK", "SYN",  "ŚWIT", "ZEBRA", "ZŁOTO", "ŹREBIĘ", "ŻABA"};
    return words;
}

// The same words in a fixed scrambled order.
inline QStringList scrambled(QStringList words, quint32 seed = 1) {
    QRandomGenerator random(seed);
    std::shuffle(words.begin(), words.end(), random);
    return words;
}
