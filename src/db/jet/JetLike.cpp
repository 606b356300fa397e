#include "db/jet/JetLike.h"

#include "db/ProviderErrors.h"
#include "db/text/PolishText.h"

using PolishText::Utf16Cursor;
using PolishText::Utf8Cursor;

JetLike::JetLike(QStringView pattern) {
    const qsizetype n = pattern.size();
    qsizetype i = 0;
    while (i < n) {
        const char32_t c = PolishText::nextUtf16(pattern.data(), i, n);
        if (c == '%') {
            // Runs of "%" are one run.
            if (m_tokens.empty() || m_tokens.back().kind != Kind::Run)
                m_tokens.push_back({Kind::Run});
            m_hasRun = true;
        } else if (c == '_') {
            m_tokens.push_back({Kind::One});
            ++m_minLength;
        } else if (c == '[') {
            Token t{Kind::Set};
            t.first = int(m_ranges.size());
            if (i < n && pattern[i] == QLatin1Char('!')) {
                t.negated = true;
                ++i;
            }
            bool closed = false;
            bool firstInSet = true;
            while (i < n) {
                char32_t low = PolishText::nextUtf16(pattern.data(), i, n);
                // "]" right after "[" or "[!" is a literal member, so "[]]" matches "]".
                if (low == ']' && !firstInSet) {
                    closed = true;
                    break;
                }
                firstInSet = false;
                char32_t high = low;
                if (i + 1 < n && pattern[i] == QLatin1Char('-') && pattern[i + 1] != QLatin1Char(']')) {
                    ++i;
                    high = PolishText::nextUtf16(pattern.data(), i, n);
                }
                low = PolishText::fold(low);
                high = PolishText::fold(high);
                if (high < low)
                    std::swap(low, high);
                m_ranges.push_back({low, high});
            }
            if (!closed)
                throw ProviderErrors::badLikePattern(pattern.toString());
            t.count = int(m_ranges.size()) - t.first;
            m_tokens.push_back(t);
            ++m_minLength;
        } else {
            Token t{Kind::Char};
            t.c = PolishText::fold(c);
            m_tokens.push_back(t);
            ++m_minLength;
        }
    }
}

bool JetLike::tokenMatches(const Token& t, char32_t folded) const {
    switch (t.kind) {
    case Kind::Char:
        return t.c == folded;
    case Kind::One:
        return true;
    case Kind::Set: {
        bool in = false;
        for (int r = t.first; r < t.first + t.count && !in; ++r)
            in = m_ranges[r].low <= folded && folded <= m_ranges[r].high;
        return in != t.negated;
    }
    case Kind::Run:
        break;
    }
    return false;
}

// Classic wildcard matching with one back-tracking point: on a mismatch the
// text position after the last "%" moves one character on. Linear for the
// usual dictionary patterns, O(text × pattern) at worst.
template <typename Cursor> bool JetLike::matchWith(Cursor text) const {
    const size_t n = m_tokens.size();
    size_t ti = 0;
    size_t starToken = SIZE_MAX;
    Cursor starText = text;
    while (true) {
        if (ti < n && m_tokens[ti].kind == Kind::Run) {
            starToken = ti++;
            starText = text;
            continue;
        }
        if (text.atEnd())
            break;
        Cursor after = text;
        const char32_t c = PolishText::fold(after.next());
        if (ti < n && tokenMatches(m_tokens[ti], c)) {
            ++ti;
            text = after;
            continue;
        }
        if (starToken == SIZE_MAX)
            return false;
        ti = starToken + 1;
        starText.next();
        text = starText;
    }
    while (ti < n && m_tokens[ti].kind == Kind::Run)
        ++ti;
    return ti == n;
}

bool JetLike::matches(const char* utf8, qsizetype bytes) const {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8);
    return matchWith(Utf8Cursor{p, p + bytes});
}

bool JetLike::matches(QStringView text) const {
    return matchWith(Utf16Cursor{text.data(), 0, text.size()});
}
