#pragma once

#include <QString>

// Quoting for the engine's SQL: names in double quotes, texts in apostrophes,
// each with its quote character doubled inside.
namespace SqlQuote {

inline QString quoted(const QString& value, QChar quote) {
    QString doubled = value;
    doubled.replace(quote, QString(2, quote));
    return quote + doubled + quote;
}

inline QString quoteName(const QString& name) {
    return quoted(name, QLatin1Char('"'));
}

inline QString quoteText(const QString& text) {
    return quoted(text, QLatin1Char('\''));
}

} // namespace SqlQuote
