#pragma once

#include <QString>

#include <functional>

// "Save as" for a genuine Access dictionary: the copy is a native dictionary
// (which the program can edit) with the same words under the same WyrazIDs and
// the same descriptions.
namespace AccessCopy {

// Writes the copy to `targetPath`, which must not exist. Throws AppError with a
// Polish message when the source cannot be opened with `password`, is not a
// dictionary (tables WYRAZY and OPISY with their fields), or the copy cannot be
// written; no file is left at `targetPath` then. `progress` gets the rows copied.
void toNative(const QString& accessPath, const QString& password, const QString& targetPath,
              const std::function<void(qint64 rows)>& progress = {});

} // namespace AccessCopy
