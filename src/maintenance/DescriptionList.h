#pragma once

#include "maintenance/WordEditing.h"

#include <QString>
#include <QStringList>

#include <optional>

// The dictionary side of the description window: one word, its identifier
// found once when the descriptions are loaded, and the statements that read,
// add and remove its descriptions by that identifier. A word that is not in
// WYRAZY has no identifier: nothing is read or written for it.
// Database failures are thrown as AppError; a refusal is returned as the
// warning to show, and then nothing has been written.
class DescriptionList {
public:
    using Target = WordEditing::Target;

    // The word as the list shows it; kept ready for an SQL literal.
    void init(const QString& word);
    const QString& sqlWord() const { return m_sqlWord; }
    bool found() const { return m_found; }
    qint32 wordId() const { return m_wordId; }

    QString idSql() const;
    QString listSql() const;
    QString duplicateSql(const QString& text) const;
    QString insertSql(const QString& text) const;
    // Every description of the word with one of these texts goes, duplicates included.
    QString removeSql(const QStringList& texts) const;

    // Finds the word's identifier and returns its descriptions in the order the
    // database gives them (empty when the word is not in the dictionary).
    QStringList load(const Target& target);
    // The typed description, without surrounding spaces, is stored unless it is
    // empty or the word has it already (the letter case typed is kept).
    std::optional<QString> add(const Target& target, const QString& typed);
    void remove(const Target& target, const QStringList& texts);

    static QString addedMessage(const QString& typed);
    static QString removedMessage();
    // The refusals of the remove button, in the order it checks them.
    static QString noDescriptionsMessage();
    static QString nothingTickedMessage();
    static QString removeQuestion();
    // Shown when the word is not in the dictionary (a row of a query result).
    QString notFoundMessage() const;

private:
    QString m_word;
    QString m_sqlWord;
    qint32 m_wordId = 0;
    bool m_found = false;
};
