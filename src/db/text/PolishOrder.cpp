#include "db/text/PolishOrder.h"

#include "db/AppError.h"
#include "db/native/NativeSchema.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

#include <unicode/ucol.h>

namespace {

// The program's alphabet in Polish order. The Polish letters are letters of their
// own at the primary level of the collation, so for words made of these letters
// alone (either case) the collation's order is plain letter-by-letter order.
constexpr char16_t Alphabet[] = u"AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ";

// Rank (1-based) of each letter of the alphabet in either case, by code unit; 0 for
// anything else.
constexpr std::array<quint8, 0x180> RankTable = [] {
    std::array<quint8, 0x180> t{};
    for (int i = 0; Alphabet[i]; ++i) {
        const char16_t upper = Alphabet[i];
        // Lower case: +0x20 in ASCII and Latin-1 (Ó), +1 in Latin Extended-A.
        const char16_t lower = upper < 0x100 ? char16_t(upper + 0x20) : char16_t(upper + 1);
        t[upper] = static_cast<quint8>(i + 1);
        t[lower] = static_cast<quint8>(i + 1);
    }
    return t;
}();

UCollator* collator() {
    static UCollator* c = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* opened = ucol_open("pl", &status);
        if (U_FAILURE(status))
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Nie można utworzyć porządku alfabetycznego (ICU)."));
        ucol_setStrength(opened, UCOL_SECONDARY); // as the POLISH collation: case does not count
        return opened;
    }();
    return c;
}

// Sort keys of all words in one buffer: letter ranks when every word is made of the
// alphabet, otherwise ICU sort keys for all of them (the two kinds do not mix).
struct Keys {
    std::string bytes;
    std::vector<quint32> offsets; // n + 1 entries

    std::string_view at(quint32 i) const {
        return std::string_view(bytes.data() + offsets[i], offsets[i + 1] - offsets[i]);
    }
};

bool rankKeys(const std::vector<QStringView>& words, Keys& keys) {
    const auto& table = RankTable;
    for (const QStringView& word : words) {
        for (const QChar c : word) {
            const char16_t u = c.unicode();
            const quint8 rank = u < table.size() ? table[u] : 0;
            if (rank == 0)
                return false;
            keys.bytes.push_back(static_cast<char>(rank));
        }
        keys.offsets.push_back(static_cast<quint32>(keys.bytes.size()));
    }
    return true;
}

void icuKeys(const std::vector<QStringView>& words, Keys& keys) {
    UCollator* c = collator();
    std::vector<uint8_t> buffer(256);
    for (const QStringView& word : words) {
        const auto* text = reinterpret_cast<const UChar*>(word.utf16());
        const auto length = static_cast<int32_t>(word.size());
        int32_t n = ucol_getSortKey(c, text, length, buffer.data(), static_cast<int32_t>(buffer.size()));
        if (n > static_cast<int32_t>(buffer.size())) {
            buffer.resize(static_cast<size_t>(n));
            n = ucol_getSortKey(c, text, length, buffer.data(), n);
        }
        keys.bytes.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(n));
        keys.offsets.push_back(static_cast<quint32>(keys.bytes.size()));
    }
}

// Rank of the next UTF-8 character, 0 when it is not a letter of the alphabet.
inline quint8 nextRank(const unsigned char*& p, const unsigned char* end) {
    const unsigned c = *p;
    if (c < 0x80) {
        ++p;
        return RankTable[c];
    }
    if ((c & 0xE0) != 0xC0 || p + 1 >= end || (p[1] & 0xC0) != 0x80)
        return 0;
    const unsigned u = ((c & 0x1F) << 6) | (p[1] & 0x3F);
    p += 2;
    return u < RankTable.size() ? RankTable[u] : 0;
}

// Letter-by-letter order of two texts of the alphabet; false when either holds
// anything else (then the full collation decides).
bool compareAlphabet(const unsigned char* p, const unsigned char* pEnd, const unsigned char* q,
                     const unsigned char* qEnd, int* result) {
    int order = 0;
    while (p < pEnd && q < qEnd) {
        const quint8 ra = nextRank(p, pEnd);
        const quint8 rb = nextRank(q, qEnd);
        if (ra == 0 || rb == 0)
            return false;
        if (order == 0 && ra != rb)
            order = ra < rb ? -1 : 1;
    }
    const int byLength = p < pEnd ? 1 : q < qEnd ? -1 : 0;
    while (p < pEnd)
        if (nextRank(p, pEnd) == 0)
            return false;
    while (q < qEnd)
        if (nextRank(q, qEnd) == 0)
            return false;
    *result = order != 0 ? order : byLength;
    return true;
}

} // namespace

int PolishOrder::compareUtf8(const char* a, int lengthA, const char* b, int lengthB) {
    const auto* p = reinterpret_cast<const unsigned char*>(a);
    const auto* q = reinterpret_cast<const unsigned char*>(b);
    int result = 0;
    if (compareAlphabet(p, p + lengthA, q, q + lengthB, &result))
        return result;
    return NativeSchema::compare(QString::fromUtf8(a, lengthA), QString::fromUtf8(b, lengthB));
}

std::vector<quint32> PolishOrder::sorted(const std::vector<QStringView>& words) {
    Keys keys;
    keys.offsets.reserve(words.size() + 1);
    keys.offsets.push_back(0);
    size_t chars = 0;
    for (const QStringView& w : words)
        chars += static_cast<size_t>(w.size());
    keys.bytes.reserve(chars);
    if (!rankKeys(words, keys)) {
        keys.bytes.clear();
        keys.offsets.resize(1);
        icuKeys(words, keys);
    }

    std::vector<quint32> order(words.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<quint32>(i);
    const auto less = [&](quint32 a, quint32 b) {
        const int byKey = keys.at(a).compare(keys.at(b));
        if (byKey != 0)
            return byKey < 0;
        const int ordinal = words[a].compare(words[b]);
        if (ordinal != 0)
            return ordinal < 0;
        return a < b;
    };
    // Two halves sorted side by side, then merged: large word lists are sorted on
    // both cores.
    if (order.size() < 200000 || std::thread::hardware_concurrency() < 2) {
        std::sort(order.begin(), order.end(), less);
    } else {
        const auto middle = order.begin() + static_cast<std::ptrdiff_t>(order.size() / 2);
        std::thread first([&] { std::sort(order.begin(), middle, less); });
        std::sort(middle, order.end(), less);
        first.join();
        std::inplace_merge(order.begin(), middle, order.end(), less);
    }
    return order;
}
