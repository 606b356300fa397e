#include "db/AppError.h"
#include "db/jet/SqlLexer.h"

#include <gtest/gtest.h>

namespace {

using Dialect = SqlLexer::Dialect;

struct LexerCase {
    const char* name;
    Dialect dialect;
    const char* sql;
    const char* tokens; // kind:text, one a line; "error" for an AppError
};

// The names of SqlToken::Kind in the order of its declaration.
const char* const kKindNames[] = {"word",    "number", "text",  "quoted", "name",      "date", "blob",
                                  "comment", "open",   "close", "comma",  "semicolon", "op"};

std::string render(const QString& sql, Dialect dialect) {
    try {
        std::string out;
        for (const SqlToken& token : SqlLexer::tokenize(sql, dialect))
            out += kKindNames[int(token.kind)] + (':' + token.text.toStdString()) + '\n';
        return out;
    } catch (const AppError&) {
        return "error";
    }
}

const LexerCase kCases[] = {
    {"jet_doubled_apostrophe_stays_in_the_text", Dialect::Jet, "'O''BRIEN' x", "text:'O''BRIEN'\nword:x\n"},
    {"jet_adjacent_texts_need_a_blank", Dialect::Jet, "'a' 'b'", "text:'a'\ntext:'b'\n"},
    {"jet_double_quotes_are_a_text", Dialect::Jet, "\"a\"\"b\"", "quoted:a\"b\n"},
    {"engine_double_quotes_are_a_name", Dialect::Engine, "\"a\"\"b\"", "name:a\"b\n"},
    {"jet_brackets_do_not_double", Dialect::Jet, "[Opis słowa]]", "name:Opis słowa\nop:]\n"},
    {"engine_backticks_double", Dialect::Engine, "`a``b`", "name:a`b\n"},
    {"jet_dashes_are_minuses", Dialect::Jet, "1--2", "number:1\nop:-\nop:-\nnumber:2\n"},
    {"engine_line_comment", Dialect::Engine, "1--2\n3", "number:1\ncomment:--2\nnumber:3\n"},
    {"jet_slash_star_is_arithmetic", Dialect::Jet, "a/*b*/c",
     "word:a\nop:/\nop:*\nword:b\nop:*\nop:/\nword:c\n"},
    {"engine_block_comment", Dialect::Engine, "a/*b*/c", "word:a\ncomment:/*b*/\nword:c\n"},
    {"jet_date", Dialect::Jet, "#2024-01-31#", "date:2024-01-31\n"},
    {"engine_hash_is_no_date", Dialect::Engine, "#1", "op:#\nnumber:1\n"},
    {"jet_x_before_a_text_is_a_word", Dialect::Jet, "x'0A'", "word:x\ntext:'0A'\n"},
    {"engine_blob", Dialect::Engine, "X'0A'", "blob:X'0A'\n"},
    {"jet_two_character_operators", Dialect::Jet, "a<>b<=c", "word:a\nop:<>\nword:b\nop:<=\nword:c\n"},
    {"engine_operators_one_character", Dialect::Engine, "a<=b", "word:a\nop:<\nop:=\nword:b\n"},
    {"jet_letters_after_digits_are_a_word", Dialect::Jet, "12abc", "number:12\nword:abc\n"},
    {"engine_letters_after_digits_stay_in_the_number", Dialect::Engine, "2e-5x", "number:2e-5x\n"},
    {"jet_names_are_letters_and_digits", Dialect::Jet, "zł€", "word:zł\nop:€\n"},
    {"engine_names_take_any_non_ascii", Dialect::Engine, "zł€", "word:zł€\n"},
    {"jet_vertical_tab_is_a_blank", Dialect::Jet, "a\vb", "word:a\nword:b\n"},
    {"engine_vertical_tab_is_a_character", Dialect::Engine, "a\vb", "word:a\nop:\v\nword:b\n"},
    {"jet_open_date", Dialect::Jet, "#2024-01-31", "error"},
    {"engine_open_blob", Dialect::Engine, "x'0A", "error"},
};

class SqlLexerTable : public testing::TestWithParam<LexerCase> {};

TEST_P(SqlLexerTable, Tokens) {
    const LexerCase& c = GetParam();
    EXPECT_EQ(render(QString::fromUtf8(c.sql), c.dialect), c.tokens) << c.sql;
}

INSTANTIATE_TEST_SUITE_P(Dialects, SqlLexerTable, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SqlLexer, TextValueUndoublesApostrophes) {
    EXPECT_EQ(SqlLexer::textValue(SqlLexer::tokenize(QStringLiteral("'O''BRIEN'''")).at(0)),
              QStringLiteral("O'BRIEN'"));
}

} // namespace
