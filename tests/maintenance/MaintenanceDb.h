#pragma once

#include "db/Connection.h"
#include "db/Recordset.h"
#include "support/TestDictionary.h"

#include <QStringList>

// What a dictionary holds now, read through the provider as the program reads it:
// "WyrazID|Wyraz" or "WyrazID|Opis" rows.
inline QStringList rowsOf(const TestDictionary& dictionary, const char* sql) {
    Connection connection;
    connection.open(dictionary.connectionString(true));
    Recordset rs;
    rs.open(QString::fromLatin1(sql), connection);
    QStringList texts;
    for (; !rs.eof(); rs.moveNext())
        texts << rs.text(0) + QLatin1Char('|') + rs.text(1);
    return texts;
}

inline QStringList wordsOf(const TestDictionary& d) {
    return rowsOf(d, "SELECT WyrazID, Wyraz FROM WYRAZY ORDER BY WyrazID");
}

inline QStringList descriptionsOf(const TestDictionary& d) {
    return rowsOf(d, "SELECT WyrazID, Opis FROM OPISY ORDER BY WyrazID, Opis");
}
