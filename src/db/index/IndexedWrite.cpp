// The pre-update hook tells the old and the new row id of every row changed
// and its new values; the engine has it, its header declares it on request.
#define SQLITE_ENABLE_PREUPDATE_HOOK 1

#include "db/index/IndexedWrite.h"

#include "db/index/WordIndexCache.h"
#include "db/native/DatabaseHandle.h"
#include "db/native/WriteAheadLog.h"

#include <sqlite3.h>

namespace {

unsigned dataVersion(sqlite3* db) {
    unsigned version = 0;
    sqlite3_file_control(db, "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return version;
}

// The column of the words in WYRAZY, or -1.
int wordColumn(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    int column = -1;
    if (sqlite3_prepare_v2(db, "SELECT * FROM WYRAZY LIMIT 0", -1, &statement, nullptr) == SQLITE_OK)
        for (int i = 0; i < sqlite3_column_count(statement) && column < 0; ++i)
            if (sqlite3_stricmp(sqlite3_column_name(statement, i), "Wyraz") == 0)
                column = i;
    sqlite3_finalize(statement);
    return column;
}

} // namespace

IndexedWrite::IndexedWrite(const std::shared_ptr<DatabaseHandle>& handle) : m_handle(handle) {
    if (!m_handle || m_handle->format() != DatabaseHandle::Format::Native || m_handle->readOnly() ||
        !WordIndexCache::enabled())
        return;
    m_active = true;
    m_versionBefore = dataVersion(m_handle->db());
    sqlite3_preupdate_hook(m_handle->db(), &IndexedWrite::hook, this);
}

IndexedWrite::~IndexedWrite() {
    if (m_active)
        end(false);
}

void IndexedWrite::finish() {
    if (m_active)
        end(true);
}

void IndexedWrite::hook(void* self, sqlite3* db, int op, const char* database, const char* table,
                        long long oldRowid, long long newRowid) {
    auto* write = static_cast<IndexedWrite*>(self);
    if (!write->m_touched) {
        // The write lock is held from here on: the file is as the last commit left it.
        write->m_touched = true;
        write->m_signatureBefore = FileSignature::of(write->m_handle->path());
    }
    if (write->m_overflow || sqlite3_stricmp(database, "main") != 0 || sqlite3_stricmp(table, "WYRAZY") != 0)
        return;
    if (write->m_captured.size() == kMostRows) {
        write->m_overflow = true;
        write->m_captured.clear();
        return;
    }
    Captured c;
    c.op = op;
    c.oldRowid = oldRowid;
    c.newRowid = newRowid;
    if (op != SQLITE_DELETE) {
        const int count = sqlite3_preupdate_count(db);
        for (int i = 0; i < count; ++i) {
            sqlite3_value* value = nullptr;
            if (sqlite3_preupdate_new(db, i, &value) != SQLITE_OK || !value) {
                write->m_overflow = true;
                return;
            }
            const int type = sqlite3_value_type(value);
            QString text;
            if (type == SQLITE_TEXT)
                text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                         sqlite3_value_bytes(value));
            c.values.emplace_back(type, text);
        }
    }
    write->m_captured.push_back(std::move(c));
}

std::vector<LiveWordIndex::Change> IndexedWrite::changes() const {
    std::vector<LiveWordIndex::Change> result;
    const int column = m_captured.empty() ? -1 : wordColumn(m_handle->db());
    for (const Captured& c : m_captured) {
        LiveWordIndex::Change change;
        change.kind = c.op == SQLITE_INSERT   ? LiveWordIndex::Change::Kind::Insert
                      : c.op == SQLITE_DELETE ? LiveWordIndex::Change::Kind::Delete
                                              : LiveWordIndex::Change::Kind::Update;
        change.oldRowid = c.oldRowid;
        change.newRowid = c.newRowid;
        if (c.op != SQLITE_DELETE) {
            if (column < 0 || column >= int(c.values.size())) {
                change.text = false;
            } else if (c.values[column].first == SQLITE_TEXT) {
                change.word = c.values[column].second;
            } else {
                change.text = c.values[column].first == SQLITE_NULL;
            }
        }
        result.push_back(std::move(change));
    }
    return result;
}

void IndexedWrite::end(bool succeeded) {
    m_active = false;
    sqlite3* db = m_handle->db();
    sqlite3_preupdate_hook(db, nullptr, nullptr);
    const unsigned versionAfter = dataVersion(db);
    // No row changed: the index keeps the signature it has, so a file that
    // changed all the same (its schema, or another program) is read again.
    if (!m_touched)
        return;
    // Exactly one commit, ours, since the statement began; no transaction left open.
    const bool followed =
        succeeded && !m_overflow && sqlite3_get_autocommit(db) && versionAfter == m_versionBefore + 1;
    if (!followed) {
        WordIndexCache::noteWrite(m_handle->path());
        return;
    }
    // In write-ahead mode the commit sits in the log; copied into the file
    // now, the signature taken next is the one later reads find, not one that
    // the copy at the handle's release would change again.
    WriteAheadLog::settle(db);
    WordIndexCache::noteChanges(m_handle->path(), m_signatureBefore, FileSignature::of(m_handle->path()),
                                changes());
}
