#pragma once

#include <QString>

// A cheap stand-in for the Polish collation key of a text's first twenty
// characters, when they are letters of the alphabet (either case), digits or
// spaces: two such prefixes that differ order their texts exactly as the
// collation does, with one integer comparison instead of a walk through two
// keys on the heap. Equal prefixes, or a text holding any other character
// there, decide nothing: the full collation key must then be compared.
struct SortPrefix {
    quint64 high = 0;
    quint64 low = 0; // lowest bit set: the prefix is unknown

    static SortPrefix of(const QString& text);

    bool known() const { return (low & 1) == 0; }
    // -1, 1, or 0 when the prefixes cannot tell the texts apart.
    static int compare(const SortPrefix& a, const SortPrefix& b) {
        if (!a.known() || !b.known())
            return 0;
        if (a.high != b.high)
            return a.high < b.high ? -1 : 1;
        if (a.low != b.low)
            return a.low < b.low ? -1 : 1;
        return 0;
    }
};
