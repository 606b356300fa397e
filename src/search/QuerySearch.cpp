#include "search/QuerySearch.h"

#include "search/SearchTexts.h"

std::optional<ValidationFailure> QuerySearch::validate() const {
    if (text.isEmpty())
        return ValidationFailure{QStringLiteral("Proszę wypełnić kwerendę."), SearchField::txtQuery};
    if (SearchTexts::upper(SearchTexts::trimSpaces(text).left(6)) != QLatin1String("SELECT"))
        return ValidationFailure{QStringLiteral("Kwerenda powinna zaczynać się od instrukcji SELECT."),
                                 SearchField::txtQuery};
    return std::nullopt;
}

QString QuerySearch::sentText(qint32 maxRecords, bool ignoreMaxRecords) const {
    const QString query = SearchTexts::trimSpaces(text);
    if (ignoreMaxRecords)
        return query;
    const QString rest = SearchTexts::trimSpaces(query.mid(6));
    if (SearchTexts::upper(rest.left(3)) == QLatin1String("TOP"))
        return query;
    return QStringLiteral("SELECT TOP ") + QString::number(maxRecords) + QLatin1Char(' ') + rest;
}
