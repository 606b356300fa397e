#pragma once

#include "db/index/LiveWordIndex.h"
#include "db/native/FileSignature.h"

#include <memory>
#include <vector>

class DatabaseHandle;

// Watches one statement sent through the provider for the rows it writes, so
// that the word index of the file follows a few changed words instead of
// being read again. Made before the statement runs and finished after it;
// left unfinished (the statement failed) it gives the index up, as does
// anything it cannot follow: a change of the schema, many rows, an open
// transaction, or another program writing the file meanwhile.
class IndexedWrite {
public:
    explicit IndexedWrite(const std::shared_ptr<DatabaseHandle>& handle);
    ~IndexedWrite();
    IndexedWrite(const IndexedWrite&) = delete;
    IndexedWrite& operator=(const IndexedWrite&) = delete;

    // The statement ran to its end.
    void finish();

    // More changed words than this are not followed one by one.
    static constexpr size_t kMostRows = 4096;

private:
    struct Captured {
        int op = 0;
        qint64 oldRowid = 0;
        qint64 newRowid = 0;
        std::vector<std::pair<int, QString>> values; // type and text of every new column value
    };
    static void hook(void* self, struct sqlite3* db, int op, const char* database, const char* table,
                     long long oldRowid, long long newRowid);
    void end(bool succeeded);
    std::vector<LiveWordIndex::Change> changes() const;

    std::shared_ptr<DatabaseHandle> m_handle;
    bool m_active = false;
    unsigned m_versionBefore = 0;
    bool m_touched = false;  // some row of some table changed
    bool m_overflow = false; // too many words, or a change the index cannot follow
    FileSignature m_signatureBefore;
    std::vector<Captured> m_captured;
};
