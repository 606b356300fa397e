#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The dictionary side of the add-word and modify-word dialogs and of the delete
// command: their checks in order, statements and messages. Words are found by
// their text with the database's own comparison and stored in upper case.
// Database failures are thrown as AppError; a refused check is returned as
// the warning to show, and then nothing has been written.
class WordEditing {
public:
    // Where the statements go: the connection string and ConnTimeout.
    struct Target {
        QString connString;
        int timeout = 30;
    };

    // "new" as typed, and NEW: without surrounding spaces, upper-cased.
    static QString upperWord(const QString& typed);

    // Steps 1 and 2 of both dialogs: the field is filled and holds letters only.
    static std::optional<QString> checkTyped(const QString& typed);
    // Step 3 of the modify dialog: the new word differs from the current one.
    static std::optional<QString> checkChanged(const QString& current, const QString& typed);

    static QString existsSql(const QString& typed);
    static QString insertSql(const QString& typed);
    static QString updateSql(const QString& typed, const QString& currentCaption);
    // Whether the word is stored already; the check's connection is closed again.
    static bool exists(const Target& target, const QString& typed);
    // Whether the statement gives any row, on a connection of its own.
    static bool anyRow(const Target& target, const QString& sql);
    // Runs one writing statement through a command of its own.
    static void execute(const Target& target, const QString& sql);

    // Every check, then the INSERT. Nothing: the word was added.
    static std::optional<QString> add(const Target& target, const QString& typed);
    // Every check, then the UPDATE of every row holding the current word (its
    // identifier, and so its descriptions, stay). Nothing: the word was changed.
    static std::optional<QString> update(const Target& target, const QString& currentCaption,
                                         const QString& typed);

    static QString addedMessage(const QString& typed);
    static QString changedMessage(const QString& currentCaption, const QString& typed);

    // Delete. "Usuń wyrazy" (last letter Y) deletes the selected words, anything
    // else the current one.
    static bool deletesMany(const QString& entryCaption);
    static QString deleteQuestion(bool many);
    static QString deletedMessage(bool many);
    // 'KOT', 'KOTY', 'KOTEK': each word trimmed, its apostrophes doubled.
    static QString wordList(const QStringList& words);
    // Descriptions first, then the words.
    static QStringList deleteSql(const QString& list);
    // Both statements in one transaction: both take effect or neither does.
    static void deleteWords(const Target& target, const QStringList& words);
};
