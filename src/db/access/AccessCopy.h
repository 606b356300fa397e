#pragma once

#include <QString>

// "Save as" for a genuine Access database: the copy is a native file (which
// the program can edit) with the same tables, columns (names, types and defined
// sizes as the provider reports them) and rows as the original, so that it
// passes or fails the schema check just as the original does. A dictionary's
// WyrazID numbers new words as a native dictionary does.
namespace AccessCopy {

// Writes the copy to `targetPath`, which must not exist. Throws AppError with a
// Polish message when the source cannot be opened with `password`, cannot be
// read whole, or the copy cannot be written; no file is left at `targetPath`
// (nor beside it) then.
void toNative(const QString& accessPath, const QString& password, const QString& targetPath);

} // namespace AccessCopy
