#include "db/native/NativeSchema.h"

#include "db/AppError.h"
#include "db/text/PolishText.h"

#include <sqlite3.h>
#include <unicode/ucol.h>

namespace {

// One collator for the process: ICU collators are safe to use from several
// threads for comparisons once opened.
UCollator* polishCollator() {
    static UCollator* collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* c = ucol_open("pl", &status);
        if (U_FAILURE(status))
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Nie można utworzyć porządku alfabetycznego (ICU)."));
        // Secondary strength: letters and their diacritics count, case does not (ż = Ż, z ≠ ż).
        ucol_setStrength(c, UCOL_SECONDARY);
        return c;
    }();
    return collator;
}

int sign(UCollationResult r) {
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

// Dictionary words are almost always letters of the Polish alphabet only. For
// those the collator's answer is plain letter-by-letter order of the alphabet,
// case ignored, so it is computed here without ICU. Returns 2 when the texts
// hold something else before the first difference (ICU decides then).
template <typename Cursor> bool followedByLetterOrEnd(Cursor c) {
    return c.atEnd() || PolishText::alphabetRank(PolishText::fold(c.next())) != 0;
}

template <typename Cursor> int fastCompare(Cursor a, Cursor b) {
    while (true) {
        const bool endA = a.atEnd();
        const bool endB = b.atEnd();
        if (endA || endB) {
            if (endA && endB)
                return 0;
            // The longer text sorts after only if what follows is a real letter (not an ignorable one).
            Cursor& rest = endA ? b : a;
            if (PolishText::alphabetRank(PolishText::fold(rest.next())) == 0)
                return 2;
            return endA ? -1 : 1;
        }
        const int ra = PolishText::alphabetRank(PolishText::fold(a.next()));
        const int rb = PolishText::alphabetRank(PolishText::fold(b.next()));
        if (ra == 0 || rb == 0)
            return 2;
        if (ra != rb) {
            // A combining mark after either letter changes it (Z + dot above is Ż): ICU decides.
            if (!followedByLetterOrEnd(a) || !followedByLetterOrEnd(b))
                return 2;
            return ra < rb ? -1 : 1;
        }
    }
}

using PolishText::Utf16Cursor;
using PolishText::Utf8Cursor;

int collateUtf8(void*, int lengthA, const void* a, int lengthB, const void* b) {
    const auto* pa = static_cast<const unsigned char*>(a);
    const auto* pb = static_cast<const unsigned char*>(b);
    const int fast = fastCompare(Utf8Cursor{pa, pa + lengthA}, Utf8Cursor{pb, pb + lengthB});
    if (fast != 2)
        return fast;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(polishCollator(), static_cast<const char*>(a), lengthA,
                                                static_cast<const char*>(b), lengthB, &status);
    if (U_FAILURE(status))
        return 0;
    return sign(r);
}

} // namespace

QStringList NativeSchema::createStatements() {
    return {
        QStringLiteral("CREATE TABLE WYRAZY (WyrazID INTEGER PRIMARY KEY AUTOINCREMENT, "
                       "Wyraz VARCHAR(50) COLLATE POLISH)"),
        QStringLiteral("CREATE TABLE OPISY (WyrazID INTEGER, Opis VARCHAR(255) COLLATE POLISH)"),
        QStringLiteral("CREATE INDEX WYRAZY_Wyraz ON WYRAZY (Wyraz)"),
        QStringLiteral("CREATE INDEX OPISY_WyrazID ON OPISY (WyrazID)"),
    };
}

void NativeSchema::registerCollation(sqlite3* db) {
    if (sqlite3_create_collation(db, "POLISH", SQLITE_UTF8, nullptr, collateUtf8) != SQLITE_OK)
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Nie można zarejestrować porządku alfabetycznego: %1")
                           .arg(QString::fromUtf8(sqlite3_errmsg(db))));
}

int NativeSchema::compare(const QString& a, const QString& b) {
    const int fast =
        fastCompare(Utf16Cursor{a.constData(), 0, a.size()}, Utf16Cursor{b.constData(), 0, b.size()});
    if (fast != 2)
        return fast;
    return compareIcu(a, b);
}

int NativeSchema::compareIcu(const QString& a, const QString& b) {
    return sign(ucol_strcoll(polishCollator(), reinterpret_cast<const UChar*>(a.utf16()),
                             static_cast<int32_t>(a.size()), reinterpret_cast<const UChar*>(b.utf16()),
                             static_cast<int32_t>(b.size())));
}
