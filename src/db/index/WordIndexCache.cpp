#include "db/index/WordIndexCache.h"

#include "db/ConnectionImpl.h"
#include "db/ConnectionString.h"
#include "db/FileFormat.h"
#include "db/index/WordIndex.h"
#include "db/native/DatabaseHandle.h"
#include "db/native/HandlePool.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace {

// A few hundred rows merged into every answer cost little; beyond that a
// fresh index is read in the background.
constexpr size_t kFoldAfter = 512;

// One file at a time: the program has one dictionary open, and an index of a
// large one takes a few hundred megabytes.
struct Entry {
    QString path; // canonical
    FileSignature signature;
    std::shared_ptr<const LiveWordIndex> index; // null: the file is left to the engine
};

// A reading of the index on a thread of its own, with a connection of its own.
struct Job {
    QString path; // canonical
    ConnectionString target;
    bool fold = false;      // replaces an index that has edits
    quint64 generation = 0; // the cache's write count when the reading started
    std::atomic<bool> cancel{false};
    bool finished = false; // under the cache's mutex
    std::thread thread;
};

struct Cache {
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Entry> entry;
    std::shared_ptr<Job> job;                  // the reading in progress
    std::vector<std::shared_ptr<Job>> retired; // abandoned or done, their threads not yet joined
    std::optional<ConnectionString> target;    // how the file prepared last is opened
    size_t foldAfter = kFoldAfter;
    // Counts this program's own writes. A file's time stamps move in steps of
    // milliseconds, so two quick edits can leave the same signature; a fresh
    // index read meanwhile must not take the place of one that followed them.
    quint64 generation = 0;
    WordIndexCache::Stats stats;

    ~Cache() {
        // At exit a reading is abandoned: it notices within a few thousand rows.
        std::unique_lock lock(mutex);
        if (job)
            retired.push_back(std::move(job));
        std::vector<std::shared_ptr<Job>> all = std::move(retired);
        lock.unlock();
        for (const std::shared_ptr<Job>& j : all) {
            j->cancel = true;
            if (j->thread.joinable())
                j->thread.join();
        }
    }
};

Cache& cache() {
    // A reading closes its connection into the pool: the pool must outlive the cache.
    static const int poolFirst = HandlePool::idleCount();
    (void)poolFirst;
    static Cache c;
    return c;
}

std::atomic<bool> g_enabled{true};

QString canonical(const QString& path) {
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? path : c;
}

// Joins the threads of readings that ended. Under the mutex. A reading that
// starts the next one from its own thread is left for a later sweep.
void sweep(Cache& c) {
    for (auto it = c.retired.begin(); it != c.retired.end();) {
        if ((*it)->finished && (*it)->thread.get_id() != std::this_thread::get_id()) {
            if ((*it)->thread.joinable())
                (*it)->thread.join();
            it = c.retired.erase(it);
        } else {
            ++it;
        }
    }
}

// Under the mutex.
void abandon(Cache& c) {
    if (!c.job)
        return;
    c.job->cancel = true;
    c.retired.push_back(std::move(c.job));
    c.job.reset();
}

void publish(Cache& c, const QString& path, const FileSignature& signature,
             std::shared_ptr<const WordIndex> index, qint64 ms, bool fold) {
    ++c.stats.builds;
    if (fold)
        ++c.stats.folds;
    c.stats.lastBuildMs = ms;
    c.stats.memoryBytes = index ? index->memoryBytes() : 0;
    c.stats.edits = 0;
    c.entry = Entry{path, signature, index ? std::make_shared<LiveWordIndex>(std::move(index)) : nullptr};
}

void start(Cache& c, const QString& path, const ConnectionString& target, bool fold);

void run(const std::shared_ptr<Job>& job) {
    std::shared_ptr<const WordIndex> index;
    FileSignature signature;
    bool read = false;
    QElapsedTimer timer;
    timer.start();
    try {
        const std::shared_ptr<DatabaseHandle> handle = ConnectionImpl::openHandle(job->target);
        // Read before the words are, so a change made meanwhile shows as a mismatch.
        signature = FileSignature::of(job->path);
        index = WordIndex::build(handle->db(), &job->cancel);
        read = !job->cancel;
    } catch (...) {
        // A file that cannot be opened now is opened, and reported, by the search.
    }
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    job->finished = true;
    if (c.job == job) {
        c.retired.push_back(std::move(c.job));
        c.job.reset();
        if (read) {
            const bool current =
                !job->fold || (c.entry && c.entry->path == job->path && c.entry->signature == signature &&
                               c.generation == job->generation);
            if (current)
                publish(c, job->path, signature, std::move(index), timer.elapsed(), job->fold);
            else if (c.entry && c.entry->path == job->path && c.entry->index &&
                     c.entry->index->editCount() > c.foldAfter)
                start(c, job->path, job->target, true); // written meanwhile: once more
        }
    }
    c.changed.notify_all();
}

// Under the mutex.
void start(Cache& c, const QString& path, const ConnectionString& target, bool fold) {
    abandon(c);
    sweep(c);
    auto job = std::make_shared<Job>();
    job->path = path;
    job->target = target;
    job->target.readOnly = true; // it only reads
    job->fold = fold;
    job->generation = c.generation;
    job->thread = std::thread([job] { run(job); });
    c.job = std::move(job);
}

// The file changed in a way the index cannot follow. Under the mutex.
void invalidate(Cache& c, const QString& path) {
    if (c.entry && c.entry->path == path)
        c.entry.reset();
    if (c.job && c.job->path == path)
        abandon(c);
    if (c.target && canonical(c.target->path) == path)
        start(c, path, *c.target, false);
}

} // namespace

void WordIndexCache::prepare(const QString& connectionString) {
    if (!g_enabled)
        return;
    ConnectionString target;
    try {
        target = ConnectionString::parse(connectionString);
    } catch (...) {
        return;
    }
    const QString path = canonical(target.path);
    // An Access file is converted by the library that reads it on the thread
    // that opens it; its index is read by the first search, as before.
    if (FileFormat::detect(path) != FileFormat::Kind::Native)
        return;
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    sweep(c);
    c.target = target;
    if (c.entry && c.entry->path == path && c.entry->signature == FileSignature::of(path))
        return;
    if (c.job && c.job->path == path && !c.job->fold)
        return;
    // The index of another file, or of this one as it was, is of no use any more.
    c.entry.reset();
    c.stats.memoryBytes = 0;
    start(c, path, target, false);
}

std::shared_ptr<const LiveWordIndex> WordIndexCache::acquire(const DatabaseHandle& handle) {
    if (!g_enabled)
        return nullptr;
    const QString path = canonical(handle.path());
    Cache& c = cache();
    std::unique_lock lock(c.mutex);
    FileSignature signature;
    while (true) {
        // Read before the words are, so a change made meanwhile shows as a mismatch next time.
        signature = FileSignature::of(path);
        if (c.entry && c.entry->path == path && c.entry->signature == signature)
            return c.entry->index;
        if (!c.job || c.job->path != path || c.job->fold)
            break;
        // Being read already: that ends sooner than reading it again.
        const std::shared_ptr<Job> job = c.job;
        c.changed.wait(lock, [&] { return job->finished; });
    }
    abandon(c);
    c.entry.reset();
    QElapsedTimer timer;
    timer.start();
    std::shared_ptr<const WordIndex> index;
    try {
        index = WordIndex::build(handle.db());
    } catch (...) {
        index.reset();
    }
    publish(c, path, signature, std::move(index), timer.elapsed(), false);
    return c.entry->index;
}

bool WordIndexCache::preparing(const QString& path) {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    return c.job && !c.job->fold && c.job->path == canonical(path);
}

bool WordIndexCache::preparingFor(const QString& connectionString) {
    try {
        return preparing(ConnectionString::parse(connectionString).path);
    } catch (...) {
        return false;
    }
}

void WordIndexCache::noteWrite(const QString& path) {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    ++c.generation;
    invalidate(c, canonical(path));
}

void WordIndexCache::noteChanges(const QString& path, const FileSignature& before, const FileSignature& after,
                                 const std::vector<LiveWordIndex::Change>& changes) {
    const QString p = canonical(path);
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    ++c.generation;
    // The index must hold the file exactly as it was before the statement.
    if (c.entry && c.entry->path == p && c.entry->signature == before) {
        if (changes.empty()) {
            c.entry->signature = after;
            return;
        }
        if (c.entry->index) {
            if (std::shared_ptr<const LiveWordIndex> next = c.entry->index->with(changes)) {
                c.entry->index = next;
                c.entry->signature = after;
                c.stats.edits = next->editCount();
                c.stats.memoryBytes = next->memoryBytes();
                if (next->editCount() > c.foldAfter && !(c.job && c.job->path == p) && c.target &&
                    canonical(c.target->path) == p)
                    start(c, p, *c.target, true);
                return;
            }
        }
    }
    invalidate(c, p);
}

void WordIndexCache::setEnabled(bool enabled) {
    g_enabled = enabled;
}

bool WordIndexCache::enabled() {
    return g_enabled;
}

void WordIndexCache::foldAfter(size_t edits) {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    c.foldAfter = edits;
}

WordIndexCache::Stats WordIndexCache::stats() {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    return c.stats;
}

void WordIndexCache::waitIdle() {
    Cache& c = cache();
    std::unique_lock lock(c.mutex);
    c.changed.wait(lock, [&] { return !c.job; });
    sweep(c);
}

void WordIndexCache::clear() {
    Cache& c = cache();
    std::lock_guard lock(c.mutex);
    c.entry.reset();
    c.stats.memoryBytes = 0;
    c.stats.edits = 0;
    abandon(c);
    c.target.reset();
    sweep(c);
}
