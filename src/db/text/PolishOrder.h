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

// The POLISH collation's answer (<0, 0, >0) for two UTF-8 texts. Words made of
// the alphabet alone are compared through a letter table; anything else goes to
// NativeSchema::compare, so the result is always the collation's own. Used to
// build the Wyraz index of a new dictionary, where it is called tens of
// millions of times.
int compareUtf8(const char* a, int lengthA, const char* b, int lengthB);

} // namespace PolishOrder
