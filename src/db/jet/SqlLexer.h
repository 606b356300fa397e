#pragma once

#include <QString>

#include <vector>

// One token of the dictionary's SQL dialect. The provider reads statements
// through this lexer only, so the translator and the word index agree on
// quotes, brackets, dates and where a literal ends.
struct SqlToken {
    enum class Kind {
        Word,      // a keyword or a plain name
        Number,    // 12, 1.5, 2E3
        Text,      // 'text' as written, apostrophes and doubled apostrophes kept
        Quoted,    // "text": `text` holds the inner text, undoubled
        Name,      // [name] or `name`: `text` holds the inner name
        Date,      // #date#: `text` holds the inner text
        Open,      // (
        Close,     // )
        Comma,     // ,
        Semicolon, // ;
        Operator,  // = <> < > <= >= + - * / \ ^ & . ! and any other single character
    };
    Kind kind;
    QString text;
    QString space; // the blanks written before the token
    qsizetype at = 0;

    bool isWord(const char* word) const;
    bool isOperator(const char* op) const;
};

namespace SqlLexer {

// Throws AppError (syntax) for a literal, name or date left open.
std::vector<SqlToken> tokenize(const QString& sql);

// The value of a 'text' token: the apostrophes removed, doubled ones undoubled.
QString textValue(const SqlToken& token);

} // namespace SqlLexer
