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

AppError engine(int sqliteCode, const QString& engineMessage) {
    const int primary = sqliteCode & 0xff;
    if (primary == SQLITE_INTERRUPT)
        return timeout();
    if (primary == SQLITE_READONLY)
        return readOnly();
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return AppError(
            AppError::ProviderError,
            QStringLiteral("Baza danych jest zablokowana przez inne połączenie: %1").arg(engineMessage));
    // The engine speaks English; the common refusals get a Polish sentence in front of its own text.
    qint32 number = AppError::ProviderError;
    QString reason;
    if (engineMessage.startsWith(QLatin1String("no such table"))) {
        number = NoSuchTable;
        reason = QStringLiteral("tabela nie istnieje");
    } else if (engineMessage.startsWith(QLatin1String("no such column"))) {
        number = MissingValue;
        reason = QStringLiteral("pole nie istnieje");
    } else if (engineMessage.startsWith(QLatin1String("no such function"))) {
        number = SyntaxError;
        reason = QStringLiteral("nieznana funkcja");
    } else if (engineMessage.contains(QLatin1String("syntax error")) ||
               engineMessage.startsWith(QLatin1String("incomplete input"))) {
        number = SyntaxError;
        reason = QStringLiteral("błąd składni");
    } else if (primary == SQLITE_CONSTRAINT) {
        reason = QStringLiteral("naruszenie ograniczenia danych");
    }
    const QString detail =
        reason.isEmpty() ? engineMessage : reason + QStringLiteral(" (") + engineMessage + ')';
    return AppError(number, QStringLiteral("Baza danych odrzuciła instrukcję SQL: %1").arg(detail));
}

} // namespace ProviderErrors
