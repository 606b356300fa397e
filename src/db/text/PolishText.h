#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// Small, allocation-free text helpers shared by LIKE, the collation and the
// SQL functions. "Folding" is the simple upper-case mapping of one code point,
// so ż and Ż compare equal while z and ż stay different letters.
namespace PolishText {

inline char32_t fold(char32_t c) {
    if (c < 0x80)
        return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
    return QChar::toUpper(c);
}

// Decodes the UTF-8 code point at `p` (p < end) and moves `p` past it. Malformed
// bytes decode as U+FFFD, one byte at a time, so scanning always advances.
inline char32_t nextUtf8(const unsigned char*& p, const unsigned char* end) {
    const unsigned char b = *p++;
    if (b < 0x80)
        return b;
    int extra;
    char32_t c;
    if ((b & 0xE0) == 0xC0) {
        extra = 1;
        c = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        c = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        c = b & 0x07;
    } else {
        return 0xFFFD;
    }
    if (end - p < extra)
        return 0xFFFD;
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return c;
}

// Decodes the UTF-16 code point at index `i` of `s` and moves `i` past it.
inline char32_t nextUtf16(const QChar* s, qsizetype& i, qsizetype size) {
    const char16_t u = s[i++].unicode();
    if (QChar::isHighSurrogate(u) && i < size && QChar::isLowSurrogate(s[i].unicode()))
        return QChar::surrogateToUcs4(u, s[i++].unicode());
    return u;
}

// Number of characters (code points) in UTF-8 text.
inline qsizetype utf8Length(const unsigned char* p, qsizetype bytes) {
    qsizetype n = 0;
    for (qsizetype i = 0; i < bytes; ++i)
        n += (p[i] & 0xC0) != 0x80;
    return n;
}

// The upper-casing the searches and text checks apply to a word: one character
// at a time; a character whose upper case is longer stays as it is.
QChar upperChar(QChar c);
// upperChar of every character below UpperTableSize, for loops over texts.
constexpr char16_t UpperTableSize = 0x180;
const char16_t* upperTable();
QString upper(QStringView text);

// The position of a letter of the Polish alphabet (A Ą B C Ć ... Ź Ż), 1-based,
// for a folded code point; 0 for anything else.
int alphabetRank(char32_t folded);

// Walks UTF-8 text; a position is a byte pointer.
struct Utf8Cursor {
    const unsigned char* pos;
    const unsigned char* end;
    bool atEnd() const { return pos >= end; }
    char32_t next() { return nextUtf8(pos, end); }
};

// Walks UTF-16 text; a position is an index.
struct Utf16Cursor {
    const QChar* data;
    qsizetype pos;
    qsizetype size;
    bool atEnd() const { return pos >= size; }
    char32_t next() { return nextUtf16(data, pos, size); }
};

} // namespace PolishText
