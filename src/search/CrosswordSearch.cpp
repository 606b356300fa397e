#include "search/CrosswordSearch.h"

std::optional<ValidationFailure> CrosswordSearch::validate() const {
    if (!anagrams)
        return std::nullopt;
    for (int i = 0; i < length(); ++i)
        if (fields.at(i).isEmpty())
            return ValidationFailure{QStringLiteral("Proszę wypełnić wszystkie pola."), SearchField::T, i};
    return std::nullopt;
}

QString CrosswordSearch::likePattern() const {
    QString pattern;
    for (const QString& field : fields)
        pattern += field.isEmpty() ? QStringLiteral("_") : field;
    return pattern;
}

QString CrosswordSearch::letterPool() const {
    return fields.join(QString());
}

QString CrosswordSearch::sql(qint32 maxRecords) const {
    if (anagrams)
        return QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = ") + QString::number(length());
    return QStringLiteral("SELECT TOP ") + QString::number(maxRecords) +
           QStringLiteral(" Wyraz FROM WYRAZY WHERE Wyraz LIKE '") + likePattern() + QStringLiteral("'");
}

bool CrosswordSearch::isAnagram(const QString& word, const QString& pool) {
    // The statement asks for words of the pool's length; a word the upper-casing
    // made longer or shorter cannot be a rearrangement of it.
    if (word.size() != pool.size() || pool.isEmpty())
        return false;
    QString rest = pool;
    for (const QChar c : word) {
        const qsizetype at = rest.indexOf(c); // ordinal: case and Polish letters must match exactly
        if (at < 0)
            return false;
        rest.remove(at, 1);
    }
    return true;
}
