#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// What a native dictionary file holds, read straight from the file (no provider
// in between), for tests that check what was written.
struct NativeFileContents {
    QMap<qint64, QString> words;            // WyrazID -> Wyraz (a null QString for Null)
    QMap<qint64, QStringList> descriptions; // WyrazID -> its descriptions, in the order written
    QString integrity;                      // "ok" when PRAGMA integrity_check finds nothing

    static NativeFileContents read(const QString& path);

    qsizetype descriptionCount() const;
    // The words in WyrazID order.
    QStringList wordList() const { return words.values(); }
};

// The bytes of a file (empty when it cannot be read).
QByteArray fileBytes(const QString& path);

// Runs one statement on a native dictionary file (for setting up test cases).
void execNative(const QString& path, const char* sql);
