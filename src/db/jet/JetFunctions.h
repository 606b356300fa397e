#pragma once

struct sqlite3;

// The functions of the dictionary's SQL dialect, on top of the engine's own:
// LIKE with its Polish-aware matching (it replaces the engine's like()),
// LEN, UCASE, LCASE, JETLEFT/JETRIGHT (LEFT/RIGHT after translation), MID,
// INSTR, INSTRREV, NZ, CSTR, CLNG, CINT, CDBL, VAL, STR, CHR, ASC, SPACE,
// STRREVERSE, the FIRST/LAST aggregates, and under JET* names those the
// translator renames (ROUND, INT, FIX, ABS, FORMAT, STRING, DATE, NOW, YEAR,
// MONTH, DAY) and the operators "/", "\", Mod, "^" and "+". UPPER/LOWER are
// replaced to handle Polish letters. Their errors are Polish texts.
namespace JetFunctions {

// Registers the functions and the POLISH collation; throws AppError.
void registerAll(sqlite3* db);

} // namespace JetFunctions
