#pragma once

struct sqlite3;

// The functions of the dictionary's SQL dialect, on top of the engine's own:
// LIKE with its Polish-aware matching (it replaces the engine's like()),
// LEN, UCASE, LCASE, JETLEFT/JETRIGHT (LEFT/RIGHT after translation), MID,
// INSTR, NZ, CSTR, CLNG, CINT, VAL, STR, CHR, ASC, SPACE, STRREVERSE, and the
// FIRST/LAST aggregates. UPPER/LOWER are replaced to handle Polish letters.
namespace JetFunctions {

// Registers the functions and the POLISH collation; throws AppError.
void registerAll(sqlite3* db);

} // namespace JetFunctions
