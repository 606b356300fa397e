#include "search/PatternSearch.h"

#include "common/modMain.h"

std::optional<ValidationFailure> PatternSearch::validate() const {
    if (pattern.isEmpty())
        return ValidationFailure{QStringLiteral("Proszę wypełnić wzorzec."), SearchField::txtPattern};
    if (!modMain::CheckPattern(pattern))
        return ValidationFailure{QStringLiteral("Wzorzec zawiera niedozwolony znak."),
                                 SearchField::txtPattern};
    return std::nullopt;
}

QString PatternSearch::toSqlPattern(const QString& pattern) {
    QString sql = pattern;
    sql.replace(QLatin1Char('*'), QLatin1Char('%'));
    sql.replace(QLatin1Char('?'), QLatin1Char('_'));
    return sql;
}

QString PatternSearch::wordsSql(qint32 maxRecords) const {
    return QStringLiteral("SELECT TOP ") + QString::number(maxRecords) +
           QStringLiteral(" Wyraz FROM WYRAZY WHERE Wyraz LIKE '") + modMain::UATrim(toSqlPattern(pattern)) +
           QStringLiteral("'");
}

QString PatternSearch::descriptionsSql(qint32 maxRecords) const {
    return QStringLiteral("SELECT TOP ") + QString::number(maxRecords) +
           QStringLiteral(
               " Wyraz FROM WYRAZY WHERE WyrazID IN (SELECT WyrazID FROM OPISY WHERE Opis LIKE '") +
           modMain::UATrim(toSqlPattern(pattern)) + QStringLiteral("')");
}
