#include "db/ProviderErrors.h"

#include <sqlite3.h>

namespace ProviderErrors {

AppError badConnectionString() {
    return AppError(
        ArgumentsWrong,
        QStringLiteral("Niepoprawny ciąg połączenia: brak ścieżki pliku bazy danych (Data Source)."));
}

AppError providerNotFound() {
    return AppError(ProviderNotFound,
                    QStringLiteral("Nie można odnaleźć dostawcy bazy danych wskazanego w ciągu połączenia."));
}

AppError fileNotFound(const QString& path) {
    return AppError(AppError::ProviderError, QStringLiteral("Nie można odnaleźć pliku '%1'.").arg(path));
}

AppError unrecognisedFormat(const QString& path) {
    return AppError(AppError::ProviderError,
                    QStringLiteral("Nierozpoznany format bazy danych '%1'.").arg(path));
}

AppError wrongPassword() {
    return AppError(AuthenticationFailed, QStringLiteral("Nieprawidłowe hasło."));
}

AppError needsRepairButReadOnly(const QString& path) {
    return AppError(
        ReadOnlyRepair,
        QStringLiteral("Plik bazy danych '%1' nie został poprawnie zamknięty po ostatnim zapisie "
                       "i przed odczytem musi zostać naprawiony, ale jest tylko do odczytu. Nadaj "
                       "mu prawo zapisu i otwórz go ponownie.")
            .arg(path));
}

AppError fileLocked(const QString& path) {
    return AppError(
        AppError::ProviderError,
        QStringLiteral("Plik '%1' jest zablokowany przez inny program lub inne połączenie.").arg(path));
}

AppError cannotOpen(const QString& path, const QString& engineMessage) {
    return AppError(AppError::ProviderError,
                    QStringLiteral("Nie można otworzyć pliku bazy danych '%1': %2").arg(path, engineMessage));
}

AppError connectionClosed() {
    return AppError(
        ConnectionClosed,
        QStringLiteral("Połączenie z bazą danych jest zamknięte: nie można wykonać tej operacji."));
}

AppError objectOpen() {
    return AppError(ObjectOpen, QStringLiteral("Operacja jest niedozwolona, gdy obiekt jest otwarty."));
}

AppError objectClosed() {
    return AppError(ObjectClosed, QStringLiteral("Operacja jest niedozwolona, gdy obiekt jest zamknięty."));
}

AppError noCurrentRecord() {
    return AppError(NoCurrentRecord,
                    QStringLiteral("Wartość BOF lub EOF jest równa True albo bieżący rekord został usunięty. "
                                   "Żądana operacja wymaga bieżącego rekordu."));
}

AppError itemNotFound(const QString& item) {
    return AppError(ItemNotFound,
                    QStringLiteral("Nie można odnaleźć pola '%1' w wyniku zapytania.").arg(item));
}

AppError trailingCharacters() {
    return AppError(SyntaxError, QStringLiteral("Znaleziono znaki po zakończeniu instrukcji SQL."));
}

AppError syntax(const QString& detail) {
    return AppError(SyntaxError, QStringLiteral("Błąd składni w instrukcji SQL: %1").arg(detail));
}

AppError unsupported(const QString& what) {
    return AppError(SyntaxError, QStringLiteral("Instrukcja SQL używa konstrukcji, której ta baza danych nie "
                                                "obsługuje: %1")
                                     .arg(what));
}

AppError badLikePattern(const QString& pattern) {
    return AppError(SyntaxError, QStringLiteral("Niepoprawny wzorzec w wyrażeniu LIKE: '%1'.").arg(pattern));
}

AppError timeout() {
    return AppError(Timeout, QStringLiteral("Upłynął limit czasu wykonania zapytania."));
}

AppError readOnly() {
    return AppError(AppError::ProviderError,
                    QStringLiteral("Nie można aktualizować. Baza danych jest otwarta tylko do odczytu."));
}

AppError accessReadOnly() {
    return AppError(
        AppError::ProviderError,
        QStringLiteral("Nie można aktualizować. Baza danych w formacie Access jest dostępna tylko do "
                       "odczytu. Aby ją zmieniać, zapisz jej kopię poleceniem \"Zapisz jako...\"."));
}

AppError commandType(int type) {
    return AppError(ArgumentsWrong, QStringLiteral("Nieobsługiwany typ polecenia: %1.").arg(type));
}

AppError tooComplex() {
    return AppError(SyntaxError, QStringLiteral("Wyrażenie w instrukcji SQL jest zbyt złożone: za dużo "
                                                "zagnieżdżonych nawiasów, podzapytań lub operatorów."));
}

QString ownText(const QString& description) {
    return QChar(OwnTextMark) + description;
}

namespace {

// The name the engine quotes after "no such column: " and the like.
QString nameAfter(const QString& message, const QString& prefix) {
    return message.mid(prefix.size()).trimmed();
}

// "near "x": syntax error" -> x
QString nearWhat(const QString& message) {
    const qsizetype start = message.indexOf(QLatin1String("near \""));
    if (start < 0)
        return {};
    const qsizetype end = message.indexOf(QLatin1String("\":"), start + 6);
    return end < 0 ? QString() : message.mid(start + 6, end - start - 6);
}

} // namespace

AppError engine(int sqliteCode, const QString& engineMessage) {
    const int primary = sqliteCode & 0xff;
    if (primary == SQLITE_INTERRUPT)
        return timeout();
    if (primary == SQLITE_READONLY)
        return readOnly();
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return AppError(AppError::ProviderError,
                        QStringLiteral("Baza danych jest zablokowana przez inne połączenie."));
    if (engineMessage.startsWith(QChar(OwnTextMark)))
        return AppError(AppError::ProviderError, engineMessage.mid(1));
    const QString& m = engineMessage;
    const auto refused = [](qint32 number, const QString& detail) {
        return AppError(number, QStringLiteral("Baza danych odrzuciła instrukcję SQL: %1").arg(detail));
    };
    if (m.startsWith(QLatin1String("no such table: ")))
        return refused(
            NoSuchTable,
            QStringLiteral("tabela nie istnieje (%1).").arg(nameAfter(m, QStringLiteral("no such table: "))));
    if (m.startsWith(QLatin1String("no such column: ")))
        return refused(
            MissingValue,
            QStringLiteral("pole nie istnieje (%1).").arg(nameAfter(m, QStringLiteral("no such column: "))));
    if (m.startsWith(QLatin1String("no such function: ")))
        return refused(
            SyntaxError,
            QStringLiteral("nieznana funkcja (%1).").arg(nameAfter(m, QStringLiteral("no such function: "))));
    if (m.startsWith(QLatin1String("wrong number of arguments to function ")))
        return refused(SyntaxError,
                       QStringLiteral("niewłaściwa liczba argumentów funkcji %1.")
                           .arg(nameAfter(m, QStringLiteral("wrong number of arguments to function "))
                                    .remove(QStringLiteral("()"))));
    if (m.startsWith(QLatin1String("ambiguous column name: ")))
        return refused(SyntaxError, QStringLiteral("nazwa pola '%1' jest niejednoznaczna.")
                                        .arg(nameAfter(m, QStringLiteral("ambiguous column name: "))));
    if (m.contains(QLatin1String("syntax error")) || m.startsWith(QLatin1String("incomplete input"))) {
        const QString near = nearWhat(m);
        return syntax(near.isEmpty() ? QStringLiteral("instrukcja jest niepełna.")
                                     : QStringLiteral("błąd w pobliżu '%1'.").arg(near));
    }
    if (m.contains(QLatin1String("not authorized")) || primary == SQLITE_AUTH)
        return refused(AppError::ProviderError, QStringLiteral("brak dostępu do wskazanego obiektu."));
    if (m.contains(QLatin1String("too large")) || m.contains(QLatin1String("too many")) ||
        m.contains(QLatin1String("stack overflow")) || primary == SQLITE_TOOBIG)
        return tooComplex();
    if (m.contains(QLatin1String("SELECTs to the left and right of")))
        return refused(SyntaxError, QStringLiteral("zapytania połączone przez UNION mają różną liczbę pól."));
    if (primary == SQLITE_CONSTRAINT)
        return refused(AppError::ProviderError, QStringLiteral("naruszenie ograniczenia danych."));
    if (primary == SQLITE_NOMEM)
        return AppError(AppError::OutOfMemory, QStringLiteral("Brak pamięci."));
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        return AppError(AppError::ProviderError, QStringLiteral("Plik bazy danych jest uszkodzony."));
    if (primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN)
        return AppError(AppError::ProviderError,
                        QStringLiteral("Błąd odczytu lub zapisu pliku bazy danych."));
    return refused(AppError::ProviderError, QStringLiteral("instrukcji nie można wykonać."));
}

} // namespace ProviderErrors
