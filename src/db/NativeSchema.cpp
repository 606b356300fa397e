#include "db/NativeSchema.h"

#include "db/AppError.h"
#include "db/PolishOrder.h"

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
            throw AppError(AppError::ProviderError, QStringLiteral("Nie można utworzyć porządku alfabetycznego (ICU)."));
        // Secondary strength: letters and their diacritics count, case does not (ż = Ż, z ≠ ż).
        ucol_setStrength(c, UCOL_SECONDARY);
        return c;
    }();
    return collator;
}

int collateUtf8(void*, int lengthA, const void* a, int lengthB, const void* b) {
    // Words of the alphabet alone (nearly all of them) compare letter by letter, many
    // times faster than through ICU and with the same result.
    int fast = 0;
    if (PolishOrder::compareAlphabetUtf8(static_cast<const char*>(a), lengthA, static_cast<const char*>(b),
                                         lengthB, &fast))
        return fast;
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(polishCollator(), static_cast<const char*>(a), lengthA,
                                                static_cast<const char*>(b), lengthB, &status);
    if (U_FAILURE(status))
        return 0;
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
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
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r =
        ucol_strcoll(polishCollator(), reinterpret_cast<const UChar*>(a.utf16()), static_cast<int32_t>(a.size()),
                     reinterpret_cast<const UChar*>(b.utf16()), static_cast<int32_t>(b.size()));
    (void)status;
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}
