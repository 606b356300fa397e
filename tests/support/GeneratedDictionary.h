#pragma once

#include "support/TestDictionary.h"

#include <QRandomGenerator>
#include <QStringList>

#include <memory>

// A native dictionary of generated words, for comparing the word index with
// the engine: mostly upper-case Polish words with letters about as frequent as
// in Polish, plus what user dictionaries may hold too (small and mixed-case
// letters, other characters, Nulls, empty and very long words, repeats).
class GeneratedDictionary {
public:
    // `alphabetical`: the rows in Polish alphabetical order (Nulls first), as
    // real dictionaries are stored; otherwise in the order generated.
    GeneratedDictionary(int count, quint32 seed, bool alphabetical = false);

    const TestDictionary& dict() const { return *m_dict; }
    QString connectionString(bool readOnly = true) const { return m_dict->connectionString(readOnly); }
    // Every row's word in WyrazID order; a Null word is a null QString.
    const QStringList& words() const { return m_words; }
    // A random non-empty word of the dictionary.
    QString anyWord(QRandomGenerator& random) const;

    // Fast bulk insert of more rows (a null QString inserts a Null).
    void append(const QStringList& words);

private:
    std::unique_ptr<TestDictionary> m_dict;
    QStringList m_words;
};
