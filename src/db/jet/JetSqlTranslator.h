#pragma once

#include <QString>

// Turns one statement of the dictionary's SQL dialect into the engine's SQL:
// "SELECT [DISTINCT] TOP n ..." (also "TOP n DISTINCT") becomes a LIMIT at the
// end of that SELECT, "&" joins texts, [names] and `names` become quoted names,
// "texts" become 'texts', #dates# become texts, LEFT(/RIGHT( become JETLEFT(/
// JETRIGHT(, Mod becomes %, True becomes -1, "DELETE * FROM" drops the "*".
// Literals are copied untouched (an apostrophe inside is doubled). Only one
// statement is accepted: anything after it but blanks and ";" is refused.
class JetSqlTranslator {
public:
    // Throws AppError (syntax) for trailing statements, unterminated literals and TOP ... PERCENT.
    static QString translate(const QString& jetSql);
};
