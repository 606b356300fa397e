#include "db/native/DatabaseHandle.h"

#include "db/ProviderErrors.h"
#include "db/native/WriteAheadLog.h"

#include <sqlite3.h>

namespace {

// How many engine instructions run between two looks at the clock.
constexpr int kProgressInterval = 1000;

bool onlyBlanksAndSemicolons(const char* tail) {
    for (; tail && *tail; ++tail)
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\n' && *tail != '\r' && *tail != '\f')
            return false;
    return true;
}

} // namespace

DatabaseHandle::DatabaseHandle(sqlite3* db, Format format, bool readOnly, QString path,
                               std::shared_ptr<const QByteArray> image)
    : m_db(db), m_format(format), m_readOnly(readOnly), m_path(std::move(path)), m_image(std::move(image)) {
    sqlite3_progress_handler(m_db, kProgressInterval, &DatabaseHandle::progress, this);
}

DatabaseHandle::~DatabaseHandle() {
    if (m_format == Format::Native && !m_readOnly)
        WriteAheadLog::settle(m_db);
    if (!m_reusable) {
        if (m_format == Format::Native && !m_readOnly)
            WriteAheadLog::leave(m_db);
        sqlite3_close_v2(m_db);
        return;
    }
    sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    HandlePool::giveBack(m_path, m_readOnly, m_fileState, m_db);
}

DatabaseHandle::TimeBudget DatabaseHandle::budget(int timeoutSeconds) {
    TimeBudget b;
    if (timeoutSeconds > 0)
        b.limit = std::chrono::seconds(timeoutSeconds);
    return b;
}

int DatabaseHandle::progress(void* self) {
    auto* handle = static_cast<DatabaseHandle*>(self);
    const TimeBudget* b = handle->m_armed;
    if (!b || b->limit.count() == 0)
        return 0;
    return std::chrono::steady_clock::now() - handle->m_stepStarted + b->used > b->limit ? 1 : 0;
}

int DatabaseHandle::step(sqlite3_stmt* statement, TimeBudget& budget) {
    m_armed = &budget;
    m_stepStarted = std::chrono::steady_clock::now();
    const int rc = sqlite3_step(statement);
    budget.used += std::chrono::steady_clock::now() - m_stepStarted;
    m_armed = nullptr;
    return rc;
}

sqlite3_stmt* DatabaseHandle::prepare(const QString& engineSql) {
    const QByteArray utf8 = engineSql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &statement, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        throw lastError(rc);
    }
    if (!statement)
        throw ProviderErrors::syntax(QStringLiteral("pusta instrukcja."));
    if (!onlyBlanksAndSemicolons(tail)) {
        sqlite3_finalize(statement);
        throw ProviderErrors::trailingCharacters();
    }
    if (!sqlite3_stmt_readonly(statement)) {
        // Refuse a write before it starts, so a read-only file is never touched.
        if (m_readOnly || m_format == Format::Access) {
            sqlite3_finalize(statement);
            throw m_format == Format::Access ? ProviderErrors::accessReadOnly() : ProviderErrors::readOnly();
        }
        // A handle that wrote (perhaps to a temporary table of its own) is
        // not handed to the next connection.
        m_reusable = false;
    }
    return statement;
}

AppError DatabaseHandle::lastError(int rc) const {
    if ((rc & 0xff) == SQLITE_READONLY && m_format == Format::Access)
        return ProviderErrors::accessReadOnly();
    return ProviderErrors::engine(rc, QString::fromUtf8(sqlite3_errmsg(m_db)));
}
