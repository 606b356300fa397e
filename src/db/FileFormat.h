#pragma once

#include <QString>

// Tells the kinds of dictionary file apart by their first bytes.
namespace FileFormat {

enum class Kind { Native, Access, Unknown };

// Unknown also for a file that cannot be read or is too short (an empty file).
Kind detect(const QString& path);

} // namespace FileFormat
