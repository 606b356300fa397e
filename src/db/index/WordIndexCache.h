#pragma once

#include "db/index/LiveWordIndex.h"
#include "db/native/FileSignature.h"

#include <QString>

#include <memory>
#include <vector>

class DatabaseHandle;

// The word index of the dictionary in use, shared by every connection to it.
// Built in the background as soon as a database is opened (or on the first
// search when nobody asked earlier) and kept while the file stays as it was:
// rows written through the provider are merged into it, folded into a fresh
// index in the background when they grow many; any other change of the file
// (by another program, or one the index cannot follow) is seen in the file's
// signature and the index is read again.
namespace WordIndexCache {

// Starts reading the index of the database the connection string names, in
// the background, unless it is ready or being read. Returns at once.
void prepare(const QString& connectionString);

// The index of the handle's file; nothing when the file is not served from
// memory (then the engine answers). Waits for a reading in progress, or
// reads it now if none is. Throws nothing.
std::shared_ptr<const LiveWordIndex> acquire(const DatabaseHandle& handle);

// Whether the index of the file is being read in the background now, so a
// search would wait for it.
bool preparing(const QString& path);
// The same for the file a connection string names (false for a bad one).
bool preparingFor(const QString& connectionString);

// A statement through the provider changed the file at `path` in a way the
// index cannot follow: it is read again.
void noteWrite(const QString& path);
// A statement through the provider changed these rows of WYRAZY (maybe none,
// when it wrote other tables); the file's signature before and after it.
void noteChanges(const QString& path, const FileSignature& before, const FileSignature& after,
                 const std::vector<LiveWordIndex::Change>& changes);

// Answering from memory can be switched off (to compare with the engine).
void setEnabled(bool enabled);
bool enabled();

// Rows written since the index was read beyond which it is read afresh.
void foldAfter(size_t edits);

struct Stats {
    int builds = 0;         // indexes built since the start (in the background or not)
    int folds = 0;          // of these, fresh ones replacing an index with edits
    qint64 lastBuildMs = 0; // time of the last build
    qint64 memoryBytes = 0; // held by the cached index
    size_t edits = 0;       // rows written since the cached index was read
};
Stats stats();

// Waits until no reading runs in the background (for tests and benchmarks).
void waitIdle();

// Forgets the cached index; a reading in progress is abandoned, not awaited.
void clear();

} // namespace WordIndexCache
