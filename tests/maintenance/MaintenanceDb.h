#pragma once

#include "db/Connection.h"
#include "db/Recordset.h"
#include "support/TestDictionary.h"

#include <QStringList>

// What a dictionary holds now, read through the provider as the program reads it.
inline QStringList rowsOf(const TestDictionary& dictionary, const QString& sql) {
    Connection connection;
    connection.open(dictionary.connectionString(true));
    Recordset rs;
    rs.open(sql, connection);
    QStringList texts;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs.fieldCount(); ++i)
            fields << rs.text(i);
        texts << fields.join(QLatin1Char('|'));
    }
    return texts;
}

inline QStringList wordsOf(const TestDictionary& dictionary) {
    return rowsOf(dictionary, QStringLiteral("SELECT WyrazID, Wyraz FROM WYRAZY ORDER BY WyrazID"));
}

inline QStringList descriptionsOf(const TestDictionary& dictionary) {
    return rowsOf(dictionary, QStringLiteral("SELECT WyrazID, Opis FROM OPISY ORDER BY WyrazID, Opis"));
}
