#pragma once

#include <QString>

// Maps a column's declared type in the SQLite schema to the provider's type
// code and defined size, and back. The mapping is a round trip, so a table
// created from Access field descriptions reports the same codes as the original
// (long integer 3, text 202 with its size in characters, memo 203).
namespace DeclaredType {

struct Field {
    int type = 0;
    int definedSize = 0;
};

// From the declared type text (e.g. "VARCHAR(50)"); an empty text gives type 0.
Field toField(const QString& declared);

// A declared type that toField() maps back to the same code and size, and
// whose SQLite affinity keeps the values as they are.
QString fromField(int type, int definedSize);

constexpr int MemoSize = 536870910;
constexpr int LongBinarySize = 1073741823;

} // namespace DeclaredType
