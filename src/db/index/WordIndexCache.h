#pragma once

#include <QString>

#include <memory>

class DatabaseHandle;
class WordIndex;

// The word index of the dictionary in use, shared by every connection to it.
// Built on the first search of a file and kept while the file stays as it was:
// a write through the provider drops it at once, a change by anyone else is
// seen in the file's signature when the next statement asks for it.
namespace WordIndexCache {

// The index of the handle's file, built now if needed; nothing when the file
// is not served from memory (then the engine answers). Throws nothing.
std::shared_ptr<const WordIndex> acquire(const DatabaseHandle& handle);

// A statement through the provider changed the file at `path`.
void noteWrite(const QString& path);

// Answering from memory can be switched off (to compare with the engine).
void setEnabled(bool enabled);
bool enabled();

struct Stats {
    int builds = 0;         // indexes built since the start
    qint64 lastBuildMs = 0; // time of the last build
    qint64 memoryBytes = 0; // held by the cached index
};
Stats stats();

} // namespace WordIndexCache
