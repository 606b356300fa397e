#pragma once

#include <QString>

#include <optional>

// The statements the word searches send, recognised exactly so that the word
// index can answer them:
//   SELECT [TOP n] Wyraz FROM WYRAZY WHERE Wyraz LIKE '<pattern>'
//   SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = n
// Keywords and names in any case, any blanks between the parts; the pattern
// must hold no apostrophe. Anything else (another spelling, a bracketed name,
// a semicolon, a comment) is not recognised and goes to the engine.
struct IndexedStatement {
    enum class Kind { Like, Length };

    Kind kind = Kind::Like;
    qint64 top = -1;   // -1: no TOP
    QString pattern;   // Like
    qint64 length = 0; // Length

    static std::optional<IndexedStatement> parse(const QString& jetSql);
};
