#pragma once

#include <QString>

#include <vector>

// One token of a statement. The provider reads SQL through this lexer only,
// both the dictionary's dialect and the engine's (the translator's output),
// so the translator, the word index and the range rewrite agree on quotes,
// brackets, dates, comments and where a literal ends.
struct SqlToken {
    enum class Kind {
        Word,      // a keyword or a plain name
        Number,    // 12, 1.5, 2E3
        Text,      // 'text' as written, apostrophes and doubled apostrophes kept
        Quoted,    // Jet "text": `text` holds the inner text, undoubled
        Name,      // [name], `name` and the engine's "name": `text` holds the inner name
        Date,      // Jet #date#: `text` holds the inner text
        Blob,      // the engine's x'hex', as written
        Comment,   // the engine's -- line and /* block */, as written
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

// Jet: the dictionary's statements. Engine: what the engine runs, where
// "..." is a name, `name` doubles its quote, # is no date and blanks,
// names and numbers are the engine's own.
enum class Dialect { Jet, Engine };

// Throws AppError (syntax) for a literal, name or date left open.
std::vector<SqlToken> tokenize(const QString& sql, Dialect dialect = Dialect::Jet);

// The value of a 'text' token: the apostrophes removed, doubled ones undoubled.
QString textValue(const SqlToken& token);

} // namespace SqlLexer
