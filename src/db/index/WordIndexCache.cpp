#include "db/index/WordIndexCache.h"

#include "db/index/WordIndex.h"
#include "db/native/DatabaseHandle.h"
#include "db/native/FileSignature.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <atomic>
#include <mutex>

namespace {

// One file at a time: the program has one dictionary open, and an index of a
// large one takes a few hundred megabytes.
struct Entry {
    QString path; // canonical
    FileSignature signature;
    quint64 generation = 0;
    std::shared_ptr<const WordIndex> index; // null: the file is left to the engine
};

struct Cache {
    std::mutex mutex;
    std::optional<Entry> entry;
    quint64 generation = 0; // bumped by every write through the provider
    WordIndexCache::Stats stats;
};

Cache& cache() {
    static Cache c;
    return c;
}

std::atomic<bool> g_enabled{true};

QString canonical(const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? path : c;
}

} // namespace

std::shared_ptr<const WordIndex> WordIndexCache::acquire(const DatabaseHandle& handle) {
    if (!g_enabled)
        return nullptr;
    const QString path = canonical(handle.path());
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    // Read before the words are, so a change made meanwhile shows as a mismatch next time.
    const FileSignature signature = FileSignature::of(path);
    if (c.entry && c.entry->path == path && c.entry->signature == signature &&
        c.entry->generation == c.generation)
        return c.entry->index;
    c.entry.reset();
    QElapsedTimer timer;
    timer.start();
    std::shared_ptr<const WordIndex> index;
    try {
        index = WordIndex::build(handle.db());
    } catch (...) {
        index.reset();
    }
    ++c.stats.builds;
    c.stats.lastBuildMs = timer.elapsed();
    c.stats.memoryBytes = index ? index->memoryBytes() : 0;
    c.entry = Entry{path, signature, c.generation, index};
    return index;
}

void WordIndexCache::noteWrite(const QString& path) {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    ++c.generation;
    if (c.entry && c.entry->path == canonical(path))
        c.entry.reset();
}

void WordIndexCache::setEnabled(bool enabled) {
    g_enabled = enabled;
}

bool WordIndexCache::enabled() {
    return g_enabled;
}

WordIndexCache::Stats WordIndexCache::stats() {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    return c.stats;
}
