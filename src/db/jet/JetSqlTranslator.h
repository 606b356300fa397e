#pragma once

#include <QString>

// Turns one statement of the dictionary's SQL dialect into the engine's SQL,
// with the dialect's meaning: "TOP n [PERCENT]" limits its own SELECT (with the
// rows tied with the last one when the SELECT is ordered), "/" always divides
// as floating point, "\" divides whole numbers, "^" raises, Mod, "+" joins
// texts, "&" joins with Null as empty text, comparisons and True give -1,
// [names] and "texts" and #dates# are read as the dialect writes them, and a
// select-list expression without a name is captioned Expr1000, Expr1001, ...
// Only one statement is accepted: anything after it but blanks and ";" is refused.
class JetSqlTranslator {
public:
    // Throws AppError (syntax) for trailing statements, unterminated literals,
    // malformed expressions and expressions nested too deeply.
    static QString translate(const QString& jetSql);

    // How deeply expressions and sub-queries may nest.
    static constexpr int MaxDepth = 200;
};
