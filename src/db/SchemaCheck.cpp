#include "db/SchemaCheck.h"

#include "db/Connection.h"
#include "db/Recordset.h"

#include <QFileInfo>

namespace {

int findField(const Recordset& rs, const QString& upperName) {
    for (int i = 0; i < rs.fieldCount(); ++i)
        if (rs.field(i).name.toUpper() == upperName)
            return i;
    return -1;
}

} // namespace

SchemaCheck::Result SchemaCheck::run(const QString& path, const QString& connectionString) {
    Result result;
    Connection connection;
    Recordset rs;
    try {
        // 1: a normal file (hidden files do not count).
        result.code = 1;
        const QFileInfo info(path);
        if (path.isEmpty() || !info.isFile() || info.isHidden())
            return result;

        result.code = 2;
        connection.setCommandTimeout(10);
        connection.open(connectionString);

        result.code = 3;
        rs.open(QStringLiteral("SELECT TOP 1 * FROM WYRAZY"), connection);

        result.code = 4;
        const int wordId = findField(rs, QStringLiteral("WYRAZID"));
        if (wordId < 0)
            return result;
        result.code = 5;
        if (rs.field(wordId).type != 3)
            return result;
        result.code = 6;
        const int word = findField(rs, QStringLiteral("WYRAZ"));
        if (word < 0)
            return result;
        result.code = 7;
        if (rs.field(word).type != 202)
            return result;
        result.code = 8;
        if (rs.field(word).definedSize != 50)
            return result;

        result.code = 9;
        rs.close();
        rs.open(QStringLiteral("SELECT TOP 1 * FROM OPISY"), connection);

        result.code = 10;
        const int descriptionWordId = findField(rs, QStringLiteral("WYRAZID"));
        if (descriptionWordId < 0)
            return result;
        result.code = 11;
        if (rs.field(descriptionWordId).type != 3)
            return result;
        result.code = 12;
        const int description = findField(rs, QStringLiteral("OPIS"));
        if (description < 0)
            return result;
        result.code = 13;
        if (rs.field(description).type != 202)
            return result;
        result.code = 14;
        if (rs.field(description).definedSize == 255)
            result.code = 0;
        return result;
    } catch (const AppError& e) {
        result.error = e;
        return result;
    } catch (const std::exception& e) {
        result.error = AppError(AppError::ProviderError, QString::fromLocal8Bit(e.what()));
        return result;
    }
}

QString SchemaCheck::DBError(qint16 code) {
    static const char* const reasons[] = {
        "Plik bazy danych nie istnieje.",
        "Format pliku jest niepoprawny.",
        "Tabela [WYRAZY] nie istnieje lub została zablokowana.",
        "Tabela [WYRAZY] nie zawiera pola [WyrazID].",
        "Typem danych pola [WyrazID] nie jest [Liczba całkowita długa].",
        "Tabela [WYRAZY] nie zawiera pola [Wyraz].",
        "Typem danych pola [Wyraz] nie jest [Tekst].",
        "Rozmiar pola [Wyraz] nie wynosi [50].",
        "Tabela [OPISY] nie istnieje lub została zablokowana.",
        "Tabela [OPISY] nie zawiera pola [WyrazID].",
        "Typem danych pola [WyrazID] nie jest [Liczba całkowita długa].",
        "Tabela [OPISY] nie zawiera pola [Opis].",
        "Typem danych pola [Opis] nie jest [Tekst].",
        "Rozmiar pola [Opis] nie wynosi [255].",
    };
    if (code < 1 || code > 14)
        return QString();
    return QStringLiteral("Połączenie z bazą danych nie zostało ustanowione. ") +
           QString::fromUtf8(reasons[code - 1]);
}
