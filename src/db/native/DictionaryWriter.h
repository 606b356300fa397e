#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

#include <functional>
#include <memory>

// Writes many words and descriptions into a native dictionary file in a single
// transaction. An existing file is changed only by commit(); until then, and
// after any error, it stays as it was. A missing file is built under a temporary
// name beside it, with the fast settings a brand-new file allows, and appears
// under its name only when commit() succeeds. Errors are thrown as AppError with
// a Polish description.
class DictionaryWriter {
public:
    // Opens `path` for writing (taking the write lock at once; `password` is the
    // dictionary's own, if it has one), or prepares a new dictionary without a
    // password when no file exists there. Throws when the file is read-only, locked,
    // not a native dictionary, the password is wrong, or the folder does not
    // accept a new file.
    explicit DictionaryWriter(const QString& path, const QString& password = QString());
    ~DictionaryWriter(); // rolls back / removes the temporary file unless committed
    DictionaryWriter(const DictionaryWriter&) = delete;
    DictionaryWriter& operator=(const DictionaryWriter&) = delete;

    bool isNewFile() const;

    // The words already in the file, in WyrazID order (Null words come as a null QString).
    void forEachWord(const std::function<void(qint64 id, const QString& word)>& visit);
    // The descriptions a word already has.
    QStringList descriptions(qint64 wordId);

    // Appends a word under the next free WyrazID and returns that ID. Callers append
    // new words in Polish alphabetical order, so their IDs follow that order.
    qint64 addWord(QStringView word);
    void addDescription(qint64 wordId, QStringView text);

    // Called with the number of rows written so far, every few thousand rows; it may
    // throw to abandon the work (nothing is then changed).
    void setProgress(std::function<void(qint64 rowsWritten)> progress);

    // Makes everything written visible at once: indexes of a new file, commit, and
    // the move of a new file to its name. Throws (and changes nothing) on failure.
    void commit();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
