#pragma once

#include <QStringView>

#include <vector>

// Sorting many words in the order of the POLISH collation (Polish alphabetical
// order, case-insensitive) without a collator call per comparison: each word
// gets a sort key once, and keys are compared as bytes.
namespace PolishOrder {

// Indexes into `words` in Polish alphabetical order. Words the collation holds
// equal are ordered ordinally, then by index, so identical words end up next to
// each other in the order they were given.
std::vector<quint32> sorted(const std::vector<QStringView>& words);

// Compares two UTF-8 texts as the POLISH collation does, when both are made of
// the program's alphabet alone (either case); returns false, leaving `result`
// alone, for any other text, which then needs the full collator.
bool compareAlphabetUtf8(const char* a, int lengthA, const char* b, int lengthB, int* result);

} // namespace PolishOrder
