#include "db/index/WordIndex.h"

#include "db/jet/JetLike.h"
#include "db/jet/JetSqlTranslator.h"
#include "db/text/PolishText.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr int kLetters = 35;
constexpr quint8 kOther = 0xFF;

// Letter codes 1..35 in alphabetical order; 0 is no letter.
constexpr char16_t kUpper[kLetters + 1] = {0,    u'A', u'Ą', u'B', u'C', u'Ć', u'D', u'E', u'Ę',
                                           u'F', u'G', u'H', u'I', u'J', u'K', u'L', u'Ł', u'M',
                                           u'N', u'Ń', u'O', u'Ó', u'P', u'Q', u'R', u'S', u'Ś',
                                           u'T', u'U', u'V', u'W', u'X', u'Y', u'Z', u'Ź', u'Ż'};

struct Alphabet {
    char16_t lower[kLetters + 1] = {};
    // For code points below 0x180: the letter code, with 0x40 set for a small letter.
    quint8 code[0x180] = {};

    Alphabet() {
        for (int c = 1; c <= kLetters; ++c) {
            lower[c] = QChar::toLower(kUpper[c]);
            code[kUpper[c]] = quint8(c);
            code[lower[c]] = quint8(c | 0x40);
        }
    }
};

const Alphabet& alphabet() {
    static const Alphabet a;
    return a;
}

// The code of an upper-case letter of the alphabet, 0 for anything else.
int upperCode(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0x180)
        return 0;
    const quint8 code = alphabet().code[u];
    return (code & 0x40) ? 0 : code;
}

quint64 lowBits(int n) {
    return n >= 64 ? ~quint64(0) : (quint64(1) << n) - 1;
}

// Bit i set when p[i] == code, for i in 0..63.
inline quint64 equalMask(const quint8* p, quint8 code) {
#if defined(__SSE2__)
    const __m128i v = _mm_set1_epi8(char(code));
    auto part = [&](int k) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        return quint64(quint16(_mm_movemask_epi8(_mm_cmpeq_epi8(x, v))));
    };
    return part(0) | part(1) << 16 | part(2) << 32 | part(3) << 48;
#else
    quint64 m = 0;
    for (int i = 0; i < 64; ++i)
        m |= quint64(p[i] == code) << i;
    return m;
#endif
}

template <typename F> void forEachBit(quint64 bits, F&& f) {
    while (bits) {
        f(std::countr_zero(bits));
        bits &= bits - 1;
    }
}

QStringList queryPlan(sqlite3* db, const QString& sql) {
    const QByteArray text = (QStringLiteral("EXPLAIN QUERY PLAN ") + sql).toUtf8();
    sqlite3_stmt* statement = nullptr;
    QStringList plan;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK ||
        !statement) {
        sqlite3_finalize(statement);
        return {};
    }
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        plan << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 3)));
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE ? plan : QStringList();
}

// A letter that a pattern fixes at a position: from the start (head, middle)
// or from the end, 1 being the last (tail).
struct Fixed {
    int position;
    quint8 code;
};

// The position tests of a block of 64 words, on the columns of their bucket:
// the fixed letters of head and tail, and a floating part at any offset from
// lo to hi. Written once per vector width (the processor decides which runs):
// a test of 64 letters is four instructions on SSE2, two on AVX2, one on AVX-512.
struct BlockTests {
    const quint8* columns;
    size_t stride;
    int length;
    const Fixed* head;
    int heads;
    const Fixed* tail;
    int tails;
    const Fixed* middle;
    int middles;
    int lo;
    int hi;
};

#define LITERON_BLOCK_TESTS(equal)                                                                           \
    const quint8* const base = t.columns + offset;                                                           \
    for (int i = 0; i < t.heads && m; ++i)                                                                   \
        m &= equal(base + t.stride * size_t(t.head[i].position), t.head[i].code);                            \
    for (int i = 0; i < t.tails && m; ++i)                                                                   \
        m &= equal(base + t.stride * size_t(t.length - t.tail[i].position), t.tail[i].code);                 \
    if (!m || t.middles == 0)                                                                                \
        return m;                                                                                            \
    quint64 any = 0;                                                                                         \
    for (int at = t.lo; at <= t.hi && any != m; ++at) {                                                      \
        quint64 found = m & ~any;                                                                            \
        for (int i = 0; i < t.middles && found; ++i)                                                         \
            found &= equal(base + t.stride * size_t(at + t.middle[i].position), t.middle[i].code);           \
        any |= found;                                                                                        \
    }                                                                                                        \
    return any;

quint64 blockTestsBasic(const BlockTests& t, size_t offset, quint64 m) {
    LITERON_BLOCK_TESTS(equalMask)
}

#if defined(__GNUC__) && defined(__x86_64__)
#define LITERON_WIDE_VECTORS 1

__attribute__((target("avx2"))) inline quint64 equalMaskAvx2(const quint8* p, quint8 code) {
    const __m256i v = _mm256_set1_epi8(char(code));
    const __m256i low = _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)), v);
    const __m256i high = _mm256_cmpeq_epi8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32)), v);
    return quint64(quint32(_mm256_movemask_epi8(low))) | quint64(quint32(_mm256_movemask_epi8(high))) << 32;
}

__attribute__((target("avx2"))) quint64 blockTestsAvx2(const BlockTests& t, size_t offset, quint64 m) {
    LITERON_BLOCK_TESTS(equalMaskAvx2)
}

__attribute__((target("avx512bw"))) inline quint64 equalMaskAvx512(const quint8* p, quint8 code) {
    return _mm512_cmpeq_epi8_mask(_mm512_loadu_si512(p), _mm512_set1_epi8(char(code)));
}

__attribute__((target("avx512bw"))) quint64 blockTestsAvx512(const BlockTests& t, size_t offset, quint64 m) {
    LITERON_BLOCK_TESTS(equalMaskAvx512)
}
#endif

#undef LITERON_BLOCK_TESTS

using BlockTestsFn = quint64 (*)(const BlockTests&, size_t, quint64);

BlockTestsFn widestBlockTests() {
#ifdef LITERON_WIDE_VECTORS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512bw"))
        return blockTestsAvx512;
    if (__builtin_cpu_supports("avx2"))
        return blockTestsAvx2;
#endif
    return blockTestsBasic;
}

std::atomic<BlockTestsFn> g_blockTests{widestBlockTests()};

// Below this many letters to look at, a second thread costs more than it saves.
constexpr size_t kLettersForTwoThreads = 4'000'000;
std::atomic<size_t> g_lettersForTwoThreads{kLettersForTwoThreads};

} // namespace

struct WordIndex::Bucket {
    int length = 0;
    quint32 count = 0;
    quint32 blocks = 0; // of 64 words
    BigArray<quint32> ordinals;
    BigArray<quint8> rows;       // count × length codes
    BigArray<quint8> columns;    // length × (blocks × 64) codes, zero padded
    BigArray<quint64> presence;  // kLetters × blocks: bit set when the word holds the letter
    BigArray<quint64> twice;     // kLetters × blocks: ... holds it more than once
    BigArray<quint64> starts;    // kLetters × blocks: ... begins with the letter
    BigArray<quint64> ends;      // kLetters × blocks: ... ends with the letter
    BigArray<quint64> lowerCase; // per word: positions of small letters (empty when none)

    const quint8* column(int position) const { return columns.data() + size_t(position) * blocks * 64; }
    const quint64* letter(int code) const { return presence.data() + size_t(code - 1) * blocks; }
    const quint64* letterTwice(int code) const { return twice.data() + size_t(code - 1) * blocks; }
    const quint64* startingWith(int code) const { return starts.data() + size_t(code - 1) * blocks; }
    const quint64* endingWith(int code) const { return ends.data() + size_t(code - 1) * blocks; }
    const quint8* row(quint32 slot) const { return rows.data() + size_t(slot) * length; }
    quint64 valid(quint32 block) const {
        return block + 1 < blocks ? ~quint64(0) : lowBits(count - block * 64);
    }

    // Column order and presence bitmaps from the rows; returns how many words hold each letter.
    void finish(qint64* holders) {
        blocks = (count + 63) / 64;
        ordinals.shrinkToFit();
        rows.shrinkToFit();
        if (!lowerCase.empty())
            lowerCase.resize(count);
        const size_t stride = size_t(blocks) * 64;
        columns.resize(size_t(length) * stride);
        presence.resize(size_t(kLetters) * blocks);
        twice.resize(size_t(kLetters) * blocks);
        starts.resize(size_t(kLetters) * blocks);
        ends.resize(size_t(kLetters) * blocks);
        for (quint32 w = 0; w < blocks; ++w) {
            const quint32 first = w * 64;
            const quint32 n = std::min<quint32>(64, count - first);
            quint64 held[kLetters + 1] = {};
            quint64 heldTwice[kLetters + 1] = {};
            for (int p = 0; p < length; ++p) {
                quint8* out = columns.data() + p * stride + first;
                const quint8* in = rows.data() + size_t(first) * length + p;
                for (quint32 j = 0; j < n; ++j) {
                    const quint8 code = in[size_t(j) * length];
                    out[j] = code;
                    heldTwice[code] |= held[code] & (quint64(1) << j);
                    held[code] |= quint64(1) << j;
                }
            }
            for (int c = 1; c <= kLetters; ++c) {
                presence[size_t(c - 1) * blocks + w] = held[c];
                twice[size_t(c - 1) * blocks + w] = heldTwice[c];
                holders[c] += std::popcount(held[c]);
            }
            if (length == 0)
                continue;
            const quint8* firstLetters = columns.data() + first;
            const quint8* lastLetters = columns.data() + (length - 1) * stride + first;
            for (quint32 j = 0; j < n; ++j) {
                starts[size_t(firstLetters[j] - 1) * blocks + w] |= quint64(1) << j;
                ends[size_t(lastLetters[j] - 1) * blocks + w] |= quint64(1) << j;
            }
        }
    }

    qint64 memoryBytes() const {
        return qint64(ordinals.bytes() + rows.bytes() + columns.bytes() + presence.bytes() + twice.bytes() +
                      starts.bytes() + ends.bytes() + lowerCase.bytes());
    }
};

struct WordIndex::Other {
    quint32 ordinal;
    QByteArray utf8;
    qint64 length; // in characters, as LEN counts them
};

// A LIKE pattern over letter codes: each element a run or a set of codes.
struct WordIndex::Pattern {
    struct Element {
        bool run;
        quint64 codes; // bit c: letter code c is accepted
    };
    using Fixed = ::Fixed;

    std::vector<Element> elements;
    bool hasRun = false;
    bool impossible = false; // an element no letter satisfies
    int minLength = 0;
    int headLength = 0;
    int tailLength = 0;
    int middleLength = 0;
    std::vector<Fixed> head, tail, middle;
    int firstCode = 0;          // the letter every match begins with (0: any)
    int lastCode = 0;           // ... ends with
    std::vector<int> required;  // further letters every match holds
    std::vector<int> repeated;  // letters every match holds more than once
    bool vectorExact = true;    // the block tests decide alone
    bool presenceExact = false; // the required letters decide alone

    static bool single(quint64 codes) { return std::has_single_bit(codes); }
    static bool full(quint64 codes) { return codes == (lowBits(kLetters + 1) & ~quint64(1)); }

    Pattern(const JetLike& like, const int* rarity) {
        for (int i = 0; i < like.elementCount(); ++i) {
            Element e{like.elementIsRun(i), 0};
            if (e.run) {
                hasRun = true;
            } else {
                for (int c = 1; c <= kLetters; ++c)
                    if (like.elementAccepts(i, kUpper[c]))
                        e.codes |= quint64(1) << c;
                impossible |= e.codes == 0;
                ++minLength;
            }
            elements.push_back(e);
        }
        // Segments between runs: the first is anchored at the start, the last at the end.
        std::vector<std::pair<int, int>> segments; // [begin, end) element indexes
        int begin = 0;
        for (int i = 0; i <= int(elements.size()); ++i) {
            if (i == int(elements.size()) || elements[i].run) {
                segments.push_back({begin, i});
                begin = i + 1;
            }
        }
        auto fixedOf = [&](int from, int to, std::vector<Fixed>& out, bool fromEnd) {
            for (int i = from; i < to; ++i) {
                const quint64 codes = elements[i].codes;
                if (single(codes))
                    out.push_back({fromEnd ? to - i : i - from, quint8(std::countr_zero(codes))});
                else if (!full(codes))
                    vectorExact = false;
            }
        };
        const auto [headBegin, headEnd] = segments.front();
        headLength = headEnd - headBegin;
        fixedOf(headBegin, headEnd, head, false);
        if (hasRun) {
            const auto [tailBegin, tailEnd] = segments.back();
            tailLength = tailEnd - tailBegin;
            fixedOf(tailBegin, tailEnd, tail, true);
            const int middles = int(segments.size()) - 2;
            if (middles == 1) {
                middleLength = segments[1].second - segments[1].first;
                fixedOf(segments[1].first, segments[1].second, middle, false);
            } else if (middles > 1) {
                vectorExact = false;
            }
        }
        // The first and last letters have bitmaps of their own.
        int firstElement = -1;
        int lastElement = -1;
        if (!head.empty() && head.front().position == 0) {
            firstCode = head.front().code;
            firstElement = headBegin;
            head.erase(head.begin());
        }
        std::vector<Fixed>& ending = hasRun ? tail : head;
        const int lastPosition = hasRun ? 1 : headLength - 1;
        if (!ending.empty() && ending.back().position == lastPosition && (hasRun || headLength > 1)) {
            lastCode = ending.back().code;
            lastElement = hasRun ? segments.back().second - 1 : headEnd - 1;
            ending.pop_back();
        }
        int uses[kLetters + 1] = {};
        for (const Element& e : elements)
            if (!e.run && single(e.codes) && ++uses[std::countr_zero(e.codes)] == 2)
                repeated.push_back(std::countr_zero(e.codes));
        for (int i = 0; i < int(elements.size()); ++i) {
            const Element& e = elements[i];
            if (!e.run && single(e.codes) && i != firstElement && i != lastElement) {
                const int code = std::countr_zero(e.codes);
                if (std::find(required.begin(), required.end(), code) == required.end())
                    required.push_back(code);
            }
        }
        auto byRarity = [&](const Fixed& a, const Fixed& b) { return rarity[a.code] < rarity[b.code]; };
        std::stable_sort(head.begin(), head.end(), byRarity);
        std::stable_sort(tail.begin(), tail.end(), byRarity);
        std::stable_sort(middle.begin(), middle.end(), byRarity);
        std::sort(required.begin(), required.end(), [&](int a, int b) { return rarity[a] < rarity[b]; });
        // "%X%": holding the letter is the whole test.
        presenceExact =
            vectorExact && headLength == 0 && tailLength == 0 && middleLength == 1 && middle.size() == 1;
    }

    bool hasBlockTests() const { return !head.empty() || !tail.empty() || !middle.empty(); }

    // The provider's LIKE over codes: one back-tracking point after the last run.
    bool matches(const quint8* word, int length) const {
        const size_t n = elements.size();
        size_t ti = 0;
        size_t star = SIZE_MAX;
        int starAt = 0;
        int wi = 0;
        while (true) {
            if (ti < n && elements[ti].run) {
                star = ti++;
                starAt = wi;
                continue;
            }
            if (wi == length)
                break;
            if (ti < n && (elements[ti].codes >> word[wi] & 1)) {
                ++ti;
                ++wi;
                continue;
            }
            if (star == SIZE_MAX)
                return false;
            ti = star + 1;
            wi = ++starAt;
        }
        while (ti < n && elements[ti].run)
            ++ti;
        return ti == n;
    }
};

// A row filter over codes, for the words kept as codes.
struct WordIndex::Filter {
    const RowFilter& f;
    bool anagram;
    bool possible = true;  // false: no word of codes passes
    int wanted = 0;        // anagram: pool length; rack: board letters
    qint8 counts[36] = {}; // anagram: the pool; rack: the board letters
    qint8 tileCounts[36] = {};
    quint64 needed = 0;  // letters every passing word holds
    quint64 allowed = 0; // anagram: the pool's letters; rack: board and tile letters
    int blanks = 0;
    int tiles = 0;

    explicit Filter(const RowFilter& filter) : f(filter), anagram(filter.kind == RowFilter::Kind::Anagram) {
        const QString& letters = anagram ? f.pool : f.board;
        wanted = int(letters.size());
        for (const QChar c : letters) {
            const int code = upperCode(c);
            if (code == 0 || counts[code] == 127) {
                possible = false;
                continue;
            }
            ++counts[code];
            needed |= quint64(1) << code;
        }
        allowed = needed;
        if (anagram) {
            possible &= wanted > 0;
            return;
        }
        tiles = int(f.tiles.size());
        for (const QString& tile : f.tiles) {
            if (tile.isEmpty()) {
                ++blanks;
            } else if (tile.size() == 1 && upperCode(tile[0]) != 0) {
                const int code = upperCode(tile[0]);
                ++tileCounts[code];
                allowed |= quint64(1) << code;
            }
        }
    }

    bool lengthPossible(int length) const {
        if (!possible)
            return false;
        if (anagram)
            return length == wanted;
        if (f.hasStars ? (length < f.shortest || length > f.longest) : length != f.patternLength)
            return false;
        // The rest must be non-empty and each of its letters needs its own rack field.
        return length > wanted && length - wanted <= tiles;
    }

    // Necessary conditions for the 64 words of a block, from the presence bitmaps.
    quint64 block(const Bucket& b, quint32 w) const {
        quint64 m = ~quint64(0);
        for (int c = 1; c <= kLetters && m; ++c) {
            const quint64 bit = quint64(1) << c;
            if (needed & bit)
                m &= b.letter(c)[w];
            else if (anagram)
                m &= ~b.letter(c)[w];
        }
        if (anagram || blanks >= kLetters || !m)
            return m;
        // Each distinct letter outside the rack and board takes a blank: count
        // them per word up to blanks + 1, bit-sliced.
        quint64 atLeast[kLetters + 1] = {};
        for (int c = 1; c <= kLetters; ++c) {
            if (allowed >> c & 1)
                continue;
            const quint64 x = b.letter(c)[w];
            for (int k = blanks; k >= 1; --k)
                atLeast[k] |= atLeast[k - 1] & x;
            atLeast[0] |= x;
        }
        return m & ~atLeast[blanks];
    }

    bool passes(const quint8* word, int length) const {
        qint8 rest[36];
        std::memcpy(rest, counts, sizeof rest);
        if (anagram) {
            for (int i = 0; i < length; ++i)
                if (--rest[word[i]] < 0)
                    return false;
            return true;
        }
        // rest = board letters still to find; then the word's letters less the board.
        qint8 have[36] = {};
        for (int i = 0; i < length; ++i)
            ++have[word[i]];
        int blanksNeeded = 0;
        for (int c = 1; c <= kLetters; ++c) {
            const int left = have[c] - rest[c];
            if (left < 0)
                return false;
            if (left > tileCounts[c])
                blanksNeeded += left - tileCounts[c];
        }
        return blanksNeeded <= blanks;
    }
};

WordIndex::WordIndex() = default;
WordIndex::~WordIndex() = default;

std::unique_ptr<WordIndex> WordIndex::build(sqlite3* db, const std::atomic<bool>* cancel) {
    const auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };
    // The rows must come in the order the searches' statements return them,
    // which is the order of a plain scan only when the engine plans them alike.
    const QString scanSql = QStringLiteral("SELECT Wyraz FROM WYRAZY");
    const QStringList plan = queryPlan(db, scanSql);
    if (plan.isEmpty() ||
        queryPlan(db, JetSqlTranslator::translate(
                          QStringLiteral("SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'A'"))) != plan ||
        queryPlan(db, JetSqlTranslator::translate(
                          QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 1"))) != plan)
        return nullptr;

    // The row ids come along when the engine reads them in the same order: a
    // query that scans the table can then start near its first match.
    const QString rowidSql = QStringLiteral("SELECT Wyraz, rowid FROM WYRAZY");
    const bool withRowids = queryPlan(db, rowidSql) == plan;
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = (withRowids ? rowidSql : scanSql).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return nullptr;
    }
    auto index = std::make_unique<WordIndex>();
    std::vector<Bucket>& buckets = index->m_buckets;
    buckets.resize(MaxLength + 1);
    for (int length = 0; length <= MaxLength; ++length)
        buckets[length].length = length;
    const Alphabet& abc = alphabet();
    quint8 codes[MaxLength];
    bool rowidsInOrder = withRowids;
    std::optional<qint64> lastRowid;
    int rc;
    bool rowidsFit = true;
    quint32 sinceCheck = 0;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        if (++sinceCheck == 4096) {
            sinceCheck = 0;
            if (cancelled()) {
                sqlite3_finalize(statement);
                return nullptr;
            }
        }
        std::optional<qint64> rowid;
        if (rowidsInOrder) {
            rowid = sqlite3_column_int64(statement, 1);
            rowidsInOrder =
                sqlite3_column_type(statement, 1) == SQLITE_INTEGER && (!lastRowid || *rowid > *lastRowid);
            lastRowid = rowid;
        }
        const int type = sqlite3_column_type(statement, 0);
        if (type == SQLITE_NULL)
            continue; // LIKE and LEN never return a Null
        if (rowidsInOrder && rowidsFit) {
            rowidsFit = *rowid >= 0 && *rowid <= qint64(std::numeric_limits<quint32>::max());
            index->m_rowidOf.push_back(quint32(*rowid));
        }
        if (type != SQLITE_TEXT) {
            sqlite3_finalize(statement);
            return nullptr;
        }
        const auto* p = sqlite3_column_text(statement, 0);
        const int bytes = sqlite3_column_bytes(statement, 0);
        const quint32 ordinal = index->m_count++;
        if (rowidsInOrder && ordinal % 64 == 0)
            index->m_rowids.push_back(*rowid);
        quint64 small = 0;
        int length = 0;
        bool letters = true;
        for (int i = 0; i < bytes;) {
            // Every letter of the alphabet takes one or two bytes.
            const quint8 b = p[i];
            char16_t u = 0;
            if (b < 0x80) {
                u = b;
                ++i;
            } else if ((b & 0xE0) == 0xC0 && i + 1 < bytes && (p[i + 1] & 0xC0) == 0x80) {
                u = char16_t((b & 0x1F) << 6 | (p[i + 1] & 0x3F));
                i += 2;
            }
            const quint8 code = u != 0 && u < 0x180 ? abc.code[u] : 0;
            if (code == 0 || length == MaxLength) {
                letters = false;
                break;
            }
            if (code & 0x40)
                small |= quint64(1) << length;
            codes[length++] = code & 0x3F;
        }
        if (!letters) {
            index->m_lengthOf.push_back(kOther);
            index->m_slotOf.push_back(quint32(index->m_others.size()));
            const QByteArray text(reinterpret_cast<const char*>(p), bytes);
            index->m_others.push_back({ordinal, text, PolishText::utf8Length(p, bytes)});
            continue;
        }
        Bucket& b = buckets[length];
        const quint32 slot = b.count++;
        b.ordinals.push_back(ordinal);
        std::memcpy(b.rows.extend(length), codes, length);
        if (small) {
            b.lowerCase.resize(b.count);
            b.lowerCase[slot] = small;
        }
        index->m_lengthOf.push_back(quint8(length));
        index->m_slotOf.push_back(slot);
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        return nullptr;
    if (rowidsInOrder) {
        // Past the last row (at the largest row id there is no row after it anyway).
        index->m_rowidEnd = !lastRowid                                         ? 0
                            : *lastRowid == std::numeric_limits<qint64>::max() ? *lastRowid
                                                                               : *lastRowid + 1;
    } else {
        index->m_rowids.clear();
        index->m_rowids.shrink_to_fit();
    }
    index->m_editable = rowidsInOrder && rowidsFit;
    if (index->m_editable)
        index->m_rowidOf.shrinkToFit();
    else
        index->m_rowidOf = BigArray<quint32>();
    index->m_lengthOf.shrinkToFit();
    index->m_slotOf.shrinkToFit();

    // The buckets are independent: two threads share them out, largest first.
    std::vector<Bucket*> queue;
    for (Bucket& b : buckets)
        queue.push_back(&b);
    std::sort(queue.begin(), queue.end(), [](const Bucket* a, const Bucket* b) {
        return size_t(a->count) * (a->length + 1) > size_t(b->count) * (b->length + 1);
    });
    std::atomic<size_t> next{0};
    qint64 counted[2][kLetters + 1] = {};
    std::exception_ptr helperFailed;
    auto work = [&](qint64* holders) {
        for (size_t i; (i = next++) < queue.size() && !cancelled();)
            queue[i]->finish(holders);
    };
    std::thread helper([&] {
        try {
            work(counted[1]);
        } catch (...) {
            helperFailed = std::current_exception();
            next = queue.size();
        }
    });
    try {
        work(counted[0]);
    } catch (...) {
        next = queue.size();
        helper.join();
        throw;
    }
    helper.join();
    if (helperFailed)
        std::rethrow_exception(helperFailed);
    if (cancelled())
        return nullptr;
    qint64 holders[kLetters + 1] = {};
    for (int c = 1; c <= kLetters; ++c)
        holders[c] = counted[0][c] + counted[1][c];
    // Rarer letters are tested first.
    int order[kLetters];
    for (int c = 1; c <= kLetters; ++c)
        order[c - 1] = c;
    std::stable_sort(order, order + kLetters, [&](int a, int b) { return holders[a] < holders[b]; });
    for (int rank = 0; rank < kLetters; ++rank)
        index->m_rarity[order[rank]] = rank;
    return index;
}

std::vector<WordIndex::Vectors> WordIndex::availableVectors() {
    std::vector<Vectors> vectors{Vectors::Basic};
#ifdef LITERON_WIDE_VECTORS
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        vectors.push_back(Vectors::Avx2);
    if (__builtin_cpu_supports("avx512bw"))
        vectors.push_back(Vectors::Avx512);
#endif
    return vectors;
}

void WordIndex::useTwoThreadsFrom(qint64 letters) {
    g_lettersForTwoThreads = letters < 0 ? kLettersForTwoThreads : size_t(letters);
}

void WordIndex::useVectors(Vectors vectors) {
    const std::vector<Vectors> available = availableVectors();
    if (std::find(available.begin(), available.end(), vectors) == available.end())
        return;
    BlockTestsFn chosen = blockTestsBasic;
#ifdef LITERON_WIDE_VECTORS
    if (vectors == Vectors::Avx2)
        chosen = blockTestsAvx2;
    else if (vectors == Vectors::Avx512)
        chosen = blockTestsAvx512;
#endif
    g_blockTests = chosen;
}

qint64 WordIndex::memoryBytes() const {
    qint64 total = qint64(m_lengthOf.bytes() + m_slotOf.bytes() + m_rowids.capacity() * sizeof(qint64) +
                          m_rowidOf.bytes());
    for (const Bucket& b : m_buckets)
        total += b.memoryBytes();
    for (const Other& o : m_others)
        total += qint64(sizeof(Other)) + o.utf8.capacity();
    return total;
}

namespace {
quint64 place(quint32 bucket, quint32 slot) {
    return quint64(bucket) << 32 | slot;
}
} // namespace

std::vector<quint64> WordIndex::locate(const std::vector<quint64>& ordinals) const {
    // The rows are scattered over the table: fetch ahead to overlap the misses.
    constexpr size_t kAhead = 16;
    std::vector<quint64> places(ordinals.size());
    for (size_t i = 0; i < ordinals.size(); ++i) {
        if (i + kAhead < ordinals.size() && !isAdded(ordinals[i + kAhead])) {
            __builtin_prefetch(m_lengthOf.data() + ordinals[i + kAhead]);
            __builtin_prefetch(m_slotOf.data() + ordinals[i + kAhead]);
        }
        const quint64 o = ordinals[i];
        places[i] = isAdded(o) ? o : place(m_lengthOf[o], m_slotOf[o]);
    }
    return places;
}

quint32 WordIndex::ordinalOf(quint64 where) const {
    const quint32 length = quint32(where >> 32);
    const quint32 slot = quint32(where);
    return length == kOther ? m_others[slot].ordinal : m_buckets[length].ordinals[slot];
}

std::optional<quint32> WordIndex::rowOf(qint64 rowid) const {
    const quint32 at = rowsBefore(rowid);
    if (at < m_rowidOf.size() && qint64(m_rowidOf[at]) == rowid)
        return at;
    return std::nullopt;
}

quint32 WordIndex::rowsBefore(qint64 rowid) const {
    if (rowid < 0)
        return 0;
    const quint32* begin = m_rowidOf.data();
    const quint32* end = begin + m_rowidOf.size();
    if (rowid > qint64(std::numeric_limits<quint32>::max()))
        return quint32(m_rowidOf.size());
    return quint32(std::lower_bound(begin, end, quint32(rowid)) - begin);
}

WordIndex::Rows WordIndex::merged(const Rows& base, const Edits& edits, qint64 top) const {
    const qint64 cap = top < 0 ? std::numeric_limits<qint64>::max() : top;
    Rows rows;
    size_t i = 0;
    size_t k = 0;
    while (qint64(rows.words.size()) < cap && (i < base.words.size() || k < edits.added.size())) {
        if (i < base.words.size()) {
            const quint32 ordinal = ordinalOf(base.words[i]);
            if (std::binary_search(edits.removed.begin(), edits.removed.end(), ordinal)) {
                ++i;
                continue;
            }
            if (k == edits.added.size() || edits.added[k].before > ordinal) {
                rows.words.push_back(base.words[i++]);
                continue;
            }
        }
        rows.words.push_back(addedPlace(edits.added[k++].id));
    }
    return rows;
}

void WordIndex::prefetch(quint64 where) const {
    const quint32 length = quint32(where >> 32);
    if (length != kOther)
        __builtin_prefetch(m_buckets[length].row(quint32(where)));
}

QString WordIndex::word(quint64 where) const {
    const quint32 length = quint32(where >> 32);
    const quint32 slot = quint32(where);
    if (length == kOther)
        return QString::fromUtf8(m_others[slot].utf8);
    const Bucket& b = m_buckets[length];
    const quint8* codes = b.row(slot);
    const quint64 small = b.lowerCase.empty() ? 0 : b.lowerCase[slot];
    QString text(qsizetype(length), Qt::Uninitialized);
    QChar* out = text.data();
    if (!small) {
        for (quint32 i = 0; i < length; ++i)
            out[i] = QChar(kUpper[codes[i]]);
        return text;
    }
    const Alphabet& abc = alphabet();
    for (quint32 i = 0; i < length; ++i)
        out[i] = QChar((small >> i & 1) ? abc.lower[codes[i]] : kUpper[codes[i]]);
    return text;
}

namespace {

void setBit(std::vector<quint64>& bits, quint32 i) {
    bits[i / 64] |= quint64(1) << (i % 64);
}

bool fewerBitsThan(quint64 bits, int n) {
    for (int i = 0; i < n; ++i) {
        if (!bits)
            return true;
        bits &= bits - 1;
    }
    return false;
}

quint64 firstBits(quint64 bits, qint64 n) {
    quint64 kept = 0;
    for (qint64 k = 0; k < n && bits; ++k) {
        kept |= bits & -bits;
        bits &= bits - 1;
    }
    return kept;
}

} // namespace

// The matches of a pattern among the 64 words of a block of one bucket.
struct WordIndex::BlockMatcher {
    static constexpr quint32 kAhead = 8; // blocks
    const Bucket& b;
    const Pattern& p;
    int lo = 0;
    int hi = 0;
    int lines = 0; // fewer candidates than this: checked one by one
    bool decided = false;

    BlockTests tests{};
    BlockTestsFn blockTests = g_blockTests.load(std::memory_order_relaxed);

    BlockMatcher(const Bucket& bucket, const Pattern& pattern) : b(bucket), p(pattern) {
        lo = p.headLength;
        hi = b.length - p.tailLength - p.middleLength;
        tests = {b.columns.data(),
                 size_t(b.blocks) * 64,
                 b.length,
                 p.head.data(),
                 int(p.head.size()),
                 p.tail.data(),
                 int(p.tail.size()),
                 p.middle.data(),
                 int(p.middle.size()),
                 lo,
                 hi};
        decided = p.presenceExact || (p.vectorExact && !p.hasBlockTests());
        // A lone candidate is checked on its row (one cache line); two or more
        // are cheaper to test a column at a time for the whole block, the
        // lines being fetched ahead.
        lines = 2;
    }

    quint64 checkEach(quint32 w, quint64 m) const {
        quint64 checked = 0;
        forEachBit(m, [&](int bit) {
            if (p.matches(b.row(w * 64 + bit), b.length))
                checked |= quint64(1) << bit;
        });
        return checked;
    }

    // The words of the block that the bitmaps leave as candidates.
    quint64 candidates(quint32 w) const {
        quint64 m = b.valid(w);
        if (p.firstCode)
            m &= b.startingWith(p.firstCode)[w];
        if (p.lastCode && m)
            m &= b.endingWith(p.lastCode)[w];
        for (const int code : p.repeated) {
            if (!m)
                return 0;
            m &= b.letterTwice(code)[w];
        }
        for (const int code : p.required) {
            if (!m)
                return 0;
            m &= b.letter(code)[w];
        }
        return m;
    }

    // Asks for the memory a later block will be matched from: the blocks
    // with candidates are scattered, so the processor cannot guess them.
    void prefetch(quint32 w) const {
        if (w >= b.blocks)
            return;
        const quint64 m = candidates(w);
        if (!m)
            return;
        const quint32* ordinals = b.ordinals.data() + size_t(w) * 64;
        for (int line = 0; line < 4; ++line)
            if (m >> (16 * line) & 0xFFFF)
                __builtin_prefetch(ordinals + 16 * line);
        if (decided)
            return;
        if (fewerBitsThan(m, lines)) {
            forEachBit(m, [&](int bit) { __builtin_prefetch(b.row(w * 64 + bit)); });
            return;
        }
        const size_t offset = size_t(w) * 64;
        for (const Pattern::Fixed& f : p.head)
            __builtin_prefetch(b.column(f.position) + offset);
        for (const Pattern::Fixed& f : p.tail)
            __builtin_prefetch(b.column(b.length - f.position) + offset);
        if (!p.middle.empty())
            for (int at = lo; at < hi + p.middleLength; ++at)
                __builtin_prefetch(b.column(at) + offset);
    }

    quint64 operator()(quint32 w) const {
        quint64 m = candidates(w);
        if (!m || decided)
            return m;
        if (fewerBitsThan(m, lines))
            return checkEach(w, m);
        m = blockTests(tests, size_t(w) * 64, m);
        return m && !p.vectorExact ? checkEach(w, m) : m;
    }
};

namespace {

// A bitmap over the rows of the table, zeroed, taken from those kept between
// statements: a fresh half megabyte costs more in page faults than many a
// search on it.
class RowBitmap {
public:
    explicit RowBitmap(size_t words) {
        {
            std::lock_guard lock(keptMutex());
            if (!kept().empty()) {
                bits = std::move(kept().back());
                kept().pop_back();
            }
        }
        bits.assign(words, 0);
    }
    ~RowBitmap() {
        std::lock_guard lock(keptMutex());
        if (kept().size() < 4 && bits.capacity() > 0)
            kept().push_back(std::move(bits));
    }
    RowBitmap(const RowBitmap&) = delete;
    RowBitmap& operator=(const RowBitmap&) = delete;

    std::vector<quint64> bits;

private:
    static std::mutex& keptMutex() {
        static std::mutex m;
        return m;
    }
    static std::vector<std::vector<quint64>>& kept() {
        static std::vector<std::vector<quint64>> k;
        return k;
    }
};

// Runs match(i, matched, passed) for every part i of the work, on two threads
// when the work is large: the parts, largest first, go to whichever thread has
// less so far (decided beforehand, so each thread surely does its share),
// each filling bitmaps of its own, joined at the end.
template <class Size, class Match>
void matchAll(size_t buckets, Size size, std::vector<quint64>& matched, std::vector<quint64>& passed,
              Match match) {
    std::vector<size_t> queue(buckets);
    size_t letters = 0;
    for (size_t i = 0; i < buckets; ++i) {
        queue[i] = i;
        letters += size(i);
    }
    if (letters < g_lettersForTwoThreads || std::thread::hardware_concurrency() < 2) {
        for (size_t i = 0; i < buckets; ++i)
            match(i, matched.data(), passed.data());
        return;
    }
    std::sort(queue.begin(), queue.end(), [&](size_t a, size_t b) { return size(a) > size(b); });
    std::vector<size_t> shares[2];
    size_t loads[2] = {0, 0};
    for (const size_t i : queue) {
        const int least = loads[1] < loads[0] ? 1 : 0;
        shares[least].push_back(i);
        loads[least] += size(i);
    }
    RowBitmap helperMatchedBits(matched.size());
    RowBitmap helperPassedBits(passed.size());
    std::vector<quint64>& helperMatched = helperMatchedBits.bits;
    std::vector<quint64>& helperPassed = helperPassedBits.bits;
    std::atomic<bool> failed{false};
    const auto work = [&](const std::vector<size_t>& share, quint64* rowsMatched, quint64* rowsPassed) {
        for (size_t k = 0; k < share.size() && !failed; ++k)
            match(share[k], rowsMatched, rowsPassed);
    };
    std::exception_ptr helperFailed;
    std::thread helper([&] {
        try {
            work(shares[1], helperMatched.data(), helperPassed.data());
        } catch (...) {
            helperFailed = std::current_exception();
            failed = true;
        }
    });
    try {
        work(shares[0], matched.data(), passed.data());
    } catch (...) {
        failed = true;
        helper.join();
        throw;
    }
    helper.join();
    if (helperFailed)
        std::rethrow_exception(helperFailed);
    for (size_t w = 0; w < matched.size(); ++w)
        matched[w] |= helperMatched[w];
    for (size_t w = 0; w < passed.size(); ++w)
        passed[w] |= helperPassed[w];
}

} // namespace

WordIndex::Rows WordIndex::like(const JetLike& like, qint64 top, const RowFilter* filter,
                                const Edits* edits) const {
    Rows rows;
    if (top == 0)
        return rows;
    if (edits && edits->empty())
        edits = nullptr;
    if (edits && !filter) {
        // Enough rows of the index that, less those gone, TOP still holds.
        const qint64 wanted = top < 0 ? -1 : top + qint64(edits->removed.size());
        return merged(this->like(like, wanted, nullptr), *edits, top);
    }
    // Rows gone may be among the first matches: TOP then needs as many more.
    const qint64 cap = top < 0 ? std::numeric_limits<qint64>::max()
                       : edits ? top + qint64(edits->removed.size())
                               : top;
    const Pattern p(like, m_rarity);
    const int first = p.minLength;
    const int last = p.impossible ? -1 : p.hasRun ? MaxLength : std::min(p.minLength, MaxLength);
    std::vector<quint32> otherMatches;
    for (const Other& o : m_others)
        if (like.matches(o.utf8.constData(), o.utf8.size()))
            otherMatches.push_back(o.ordinal);

    if (!filter && !p.hasRun && !edits) {
        // One length: the bucket is already in row order.
        std::vector<quint32> hits;
        if (first <= last) {
            const Bucket& b = m_buckets[first];
            const BlockMatcher match(b, p);
            qint64 left = cap;
            for (quint32 w = 0; w < b.blocks && left > 0; ++w) {
                match.prefetch(w + BlockMatcher::kAhead);
                quint64 m = match(w);
                if (left < 64)
                    m = firstBits(m, left);
                forEachBit(m, [&](int bit) {
                    hits.push_back(w * 64 + bit);
                    --left;
                });
            }
        }
        rows.words = withOthers(first, hits, otherMatches, cap);
        return rows;
    }

    RowBitmap matchedBits((m_count + 63) / 64);
    RowBitmap passedBits(filter ? matchedBits.bits.size() : 0);
    std::vector<quint64>& matched = matchedBits.bits;
    std::vector<quint64>& passed = passedBits.bits;
    const std::optional<Filter> codes = filter ? std::optional<Filter>(std::in_place, *filter) : std::nullopt;
    for (const quint32 ordinal : otherMatches) {
        setBit(matched, ordinal);
        if (filter && filter->passes(QStringView(QString::fromUtf8(m_others[m_slotOf[ordinal]].utf8))))
            setBit(passed, ordinal);
    }
    std::vector<BlockMatcher> matchers;
    std::vector<quint32> next; // per matcher: the next block to match
    std::vector<qint64> left;  // per matcher: matches still wanted (TOP)
    std::vector<bool> tested;  // per matcher: whether the filter can pass a word of its length
    for (int length = first; length <= last; ++length) {
        if (m_buckets[length].count == 0)
            continue;
        matchers.emplace_back(m_buckets[length], p);
        next.push_back(0);
        left.push_back(cap);
        tested.push_back(codes && codes->lengthPossible(length));
    }
    // Matches the blocks [w, stop) of matcher i into the bitmaps given (by row
    // number), until `wanted` rows matched; returns where it stopped.
    const auto matchBlocks = [&](size_t i, quint32 w, quint32 stop, qint64& wantedRows, quint64* rowsMatched,
                                 quint64* rowsPassed) {
        const Bucket& b = matchers[i].b;
        // Kept in registers: the bitmaps below could alias them otherwise.
        qint64 wanted = wantedRows;
        const quint32* const ordinals = b.ordinals.data();
        for (; w < stop && wanted > 0; ++w) {
            matchers[i].prefetch(w + BlockMatcher::kAhead);
            quint64 m = matchers[i](w);
            if (!m)
                continue;
            if (wanted < 64)
                m = firstBits(m, wanted);
            const quint32* const blockOrdinals = ordinals + size_t(w) * 64;
            quint64 bits = m;
            qint64 found = 0;
            while (bits) {
                const quint32 ordinal = blockOrdinals[std::countr_zero(bits)];
                rowsMatched[ordinal / 64] |= quint64(1) << (ordinal % 64);
                bits &= bits - 1;
                ++found;
            }
            wanted -= found;
            if (!tested[i])
                continue;
            forEachBit(m & codes->block(b, w), [&](int bit) {
                const quint32 slot = w * 64 + bit;
                if (codes->passes(b.row(slot), b.length)) {
                    const quint32 ordinal = ordinals[slot];
                    rowsPassed[ordinal / 64] |= quint64(1) << (ordinal % 64);
                }
            });
        }
        wantedRows = wanted;
        return w;
    };

    if (top < 0) {
        // The work in spans of blocks, so that two threads can share a large bucket.
        constexpr quint32 kSpan = 1024;
        struct Span {
            size_t matcher;
            quint32 from;
            quint32 to;
        };
        std::vector<Span> spans;
        for (size_t i = 0; i < matchers.size(); ++i)
            for (quint32 from = 0; from < matchers[i].b.blocks; from += kSpan)
                spans.push_back({i, from, std::min(matchers[i].b.blocks, from + kSpan)});
        matchAll(
            spans.size(),
            [&](size_t k) {
                return size_t(spans[k].to - spans[k].from) * 64 * matchers[spans[k].matcher].b.length;
            },
            matched, passed,
            [&](size_t k, quint64* rowsMatched, quint64* rowsPassed) {
                qint64 wanted = cap;
                matchBlocks(spans[k].matcher, spans[k].from, spans[k].to, wanted, rowsMatched, rowsPassed);
            });
        return assemble(matched, passed, top, filter, edits);
    }

    // With TOP, rows are matched from the start of the table in growing spans,
    // until the span holds enough of them.
    const quint32 words = (m_count + 63) / 64;
    quint32 end = std::min<quint32>(words, 64);
    quint32 counted = 0;
    qint64 found = 0;
    while (true) {
        const qint64 endRow = qint64(end) * 64;
        for (size_t i = 0; i < matchers.size(); ++i) {
            const Bucket& b = matchers[i].b;
            // The blocks that begin inside the span.
            quint32 stop = b.blocks;
            if (endRow < qint64(m_count)) {
                quint32 low = next[i];
                while (low < stop) {
                    const quint32 mid = low + (stop - low) / 2;
                    if (b.ordinals[mid * 64] < endRow)
                        low = mid + 1;
                    else
                        stop = mid;
                }
            }
            next[i] = matchBlocks(i, next[i], stop, left[i], matched.data(), passed.data());
        }
        if (end >= words)
            break;
        for (; counted < end; ++counted)
            if (matched[counted])
                found += std::popcount(matched[counted]);
        if (found >= cap)
            break;
        end = std::min<quint64>(words, quint64(end) * 2);
    }
    return assemble(matched, passed, top, filter, edits);
}

std::optional<qint64> WordIndex::rowidBound(const JetLike& pattern) const {
    if (m_rowids.empty())
        return std::nullopt;
    const Rows first = like(pattern, 1, nullptr);
    if (first.words.empty())
        return m_rowidEnd;
    const quint32 ordinal = ordinalOf(first.words.front());
    // Only every 64th row id is kept: the one at or before the match.
    if (ordinal < 64)
        return std::nullopt;
    return m_rowids[ordinal / 64];
}

WordIndex::Rows WordIndex::withLength(qint64 length, const RowFilter* filter, const Edits* edits) const {
    Rows rows;
    if (edits && edits->empty())
        edits = nullptr;
    if (edits && !filter)
        return merged(withLength(length, nullptr), *edits, -1);
    const Bucket* b = length >= 0 && length <= MaxLength ? &m_buckets[size_t(length)] : nullptr;
    std::vector<quint32> otherMatches;
    for (const Other& o : m_others)
        if (o.length == length)
            otherMatches.push_back(o.ordinal);
    if (!filter) {
        std::vector<quint32> hits(b ? b->count : 0);
        for (quint32 slot = 0; slot < hits.size(); ++slot)
            hits[slot] = slot;
        rows.words = withOthers(int(length), hits, otherMatches, std::numeric_limits<qint64>::max());
        return rows;
    }
    RowBitmap matchedBits((m_count + 63) / 64);
    RowBitmap passedBits(matchedBits.bits.size());
    std::vector<quint64>& matched = matchedBits.bits;
    std::vector<quint64>& passed = passedBits.bits;
    if (b && b->count > 0) {
        const Filter codes(*filter);
        const bool test = codes.lengthPossible(int(length));
        for (quint32 w = 0; w < b->blocks; ++w) {
            const quint64 m = b->valid(w);
            forEachBit(m, [&](int bit) {
                const quint32 ordinal = b->ordinals[w * 64 + bit];
                matched[ordinal / 64] |= quint64(1) << (ordinal % 64);
            });
            if (!test)
                continue;
            forEachBit(m & codes.block(*b, w), [&](int bit) {
                const quint32 slot = w * 64 + bit;
                if (codes.passes(b->row(slot), b->length)) {
                    const quint32 ordinal = b->ordinals[slot];
                    passed[ordinal / 64] |= quint64(1) << (ordinal % 64);
                }
            });
        }
    }
    for (const quint32 ordinal : otherMatches) {
        matched[ordinal / 64] |= quint64(1) << (ordinal % 64);
        if (filter->passes(QStringView(QString::fromUtf8(m_others[m_slotOf[ordinal]].utf8))))
            passed[ordinal / 64] |= quint64(1) << (ordinal % 64);
    }
    return assemble(matched, passed, -1, filter, edits);
}

// Walks the statement's rows in row order, numbering them, and keeps those
// that pass the filter or fall on a multiple of keepEvery. Rows written since
// the build take their places in the walk.
WordIndex::Rows WordIndex::assemble(std::vector<quint64>& matched, const std::vector<quint64>& passed,
                                    qint64 top, const RowFilter* filter, const Edits* edits) const {
    Rows rows;
    std::vector<quint64> ordinals;
    const qint64 limit = top < 0 ? std::numeric_limits<qint64>::max() : top;
    const qint64 every = filter && filter->keepEvery > 0 ? filter->keepEvery : 0;
    qint64 number = 0;        // rows of the statement so far
    qint64 lastDelivered = 0; // the number of the last row delivered
    const auto take = [&](quint64 entry, bool passes) {
        ++number;
        if (!filter) {
            ordinals.push_back(entry);
        } else if (passes || (every && number % every == 0)) {
            ordinals.push_back(entry);
            rows.skippedBefore.push_back(quint32(number - 1 - lastDelivered));
            lastDelivered = number;
        }
    };
    static const std::vector<Edits::Added> kNoneAdded;
    const std::vector<Edits::Added>& added = edits ? edits->added : kNoneAdded;
    if (edits)
        for (const quint32 gone : edits->removed)
            matched[gone / 64] &= ~(quint64(1) << (gone % 64));
    size_t k = 0; // the next added row
    for (size_t w = 0; w < matched.size() && number < limit; ++w) {
        for (; k < added.size() && added[k].before < w * 64 && number < limit; ++k)
            take(addedPlace(added[k].id), added[k].passes);
        quint64 g = matched[w];
        if (!g)
            continue;
        const quint64 d = filter ? passed[w] & g : 0;
        if (k < added.size() && added[k].before < (w + 1) * 64) {
            // Added rows among this block's: one row at a time.
            while (g && number < limit) {
                const int bit = std::countr_zero(g);
                g &= g - 1;
                for (; k < added.size() && added[k].before <= w * 64 + bit && number < limit; ++k)
                    take(addedPlace(added[k].id), added[k].passes);
                if (number < limit)
                    take(w * 64 + bit, d >> bit & 1);
            }
            continue;
        }
        const qint64 count = std::popcount(g);
        if (filter) {
            const qint64 nextKept = every ? (number / every + 1) * every : std::numeric_limits<qint64>::max();
            if (!d && number + count < nextKept && number + count <= limit) {
                number += count;
                continue;
            }
        }
        while (g && number < limit) {
            const int bit = std::countr_zero(g);
            g &= g - 1;
            take(w * 64 + bit, d >> bit & 1);
        }
    }
    for (; k < added.size() && number < limit; ++k)
        take(addedPlace(added[k].id), added[k].passes);
    rows.skippedAfter = filter ? number - lastDelivered : 0;
    rows.filtered = filter != nullptr;
    rows.words = locate(ordinals);
    return rows;
}

// The matches of one bucket (its hits, in order) merged in row order with
// the matching words kept as text, the first `cap` of them.
std::vector<quint64> WordIndex::withOthers(int length, const std::vector<quint32>& hits,
                                           const std::vector<quint32>& others, qint64 cap) const {
    std::vector<quint64> words;
    words.reserve(std::min<size_t>(hits.size() + others.size(), size_t(cap)));
    const BigArray<quint32>* ordinals =
        length >= 0 && length <= MaxLength ? &m_buckets[length].ordinals : nullptr;
    size_t i = 0;
    size_t k = 0;
    while (qint64(words.size()) < cap && (i < hits.size() || k < others.size())) {
        if (k == others.size() || (i < hits.size() && (*ordinals)[hits[i]] < others[k]))
            words.push_back(place(quint32(length), hits[i++]));
        else
            words.push_back(place(kOther, m_slotOf[others[k++]]));
    }
    return words;
}
