#include "db/ConnectionImpl.h"

#include "db/ConnectionString.h"
#include "db/FileFormat.h"
#include "db/FilteringRowSource.h"
#include "db/ProviderErrors.h"
#include "db/access/AccessImage.h"
#include "db/index/IndexRowSource.h"
#include "db/index/IndexedStatement.h"
#include "db/index/IndexedWrite.h"
#include "db/index/WordIndexCache.h"
#include "db/index/WordRangeRewrite.h"
#include "db/jet/JetFunctions.h"
#include "db/jet/JetSqlTranslator.h"
#include "db/native/EngineSetup.h"
#include "db/native/HandlePool.h"
#include "db/native/NativeDatabase.h"
#include "db/native/SqliteRowSource.h"
#include "db/native/WriteAheadLog.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <optional>

namespace {

// Statements sent through the provider may not attach other files, change
// engine settings, or touch the table that holds the password hash.
int authorize(void*, int action, const char* a, const char* b, const char*, const char*) {
    if (action == SQLITE_ATTACH || action == SQLITE_DETACH || action == SQLITE_PRAGMA)
        return SQLITE_DENY;
    // Depending on the action the table name is the first or the second argument.
    const bool meta =
        (a && sqlite3_stricmp(a, "LiteronMeta") == 0) || (b && sqlite3_stricmp(b, "LiteronMeta") == 0);
    return meta ? SQLITE_DENY : SQLITE_OK;
}

std::shared_ptr<DatabaseHandle> openAccess(const QString& path, const QString& password, bool readOnly) {
    std::shared_ptr<const QByteArray> image = AccessImage::load(path, password);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw ProviderErrors::cannotOpen(path, QStringLiteral("brak pamięci"));
    }
    // The image is shared by every connection to the file and must stay unchanged.
    auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(image->constData()));
    const int rc =
        sqlite3_deserialize(db, "main", bytes, image->size(), image->size(), SQLITE_DESERIALIZE_READONLY);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        throw ProviderErrors::cannotOpen(path, QString::fromUtf8(sqlite3_errstr(rc)));
    }
    try {
        JetFunctions::registerAll(db);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    return std::make_shared<DatabaseHandle>(db, DatabaseHandle::Format::Access, readOnly, path,
                                            std::move(image));
}

} // namespace

std::shared_ptr<DatabaseHandle> ConnectionImpl::openHandle(const ConnectionString& target) {
    EngineSetup::ensure();
    const QFileInfo info(target.path);
    const QString path = info.absoluteFilePath();
    HandlePool::FileState state;
    std::shared_ptr<DatabaseHandle> handle;
    if (sqlite3* idle = HandlePool::take(path, target.readOnly, state)) {
        handle =
            std::make_shared<DatabaseHandle>(idle, DatabaseHandle::Format::Native, target.readOnly, path);
        handle->keepForReuse(state);
        // The password given now is checked as on every open (the authorizer
        // keeps statements through the provider away from its hash).
        sqlite3_set_authorizer(idle, nullptr, nullptr);
        if (!NativeDatabase::checkPassword(idle, target.password))
            throw ProviderErrors::wrongPassword();
        sqlite3_set_authorizer(idle, authorize, nullptr);
        return handle;
    }
    if (!info.isFile())
        throw ProviderErrors::fileNotFound(target.path);
    switch (FileFormat::detect(path)) {
    case FileFormat::Kind::Native:
        state = HandlePool::FileState::of(path);
        handle =
            std::make_shared<DatabaseHandle>(NativeDatabase::open(path, target.password, target.readOnly),
                                             DatabaseHandle::Format::Native, target.readOnly, path);
        // A search then reads as of its start while an edit writes. Done before
        // the file state is taken, as the switch may change the file.
        if (!target.readOnly) {
            WriteAheadLog::enter(handle->db(), path);
            state = HandlePool::FileState::of(path);
        }
        handle->keepForReuse(state);
        break;
    case FileFormat::Kind::Access:
        handle = openAccess(path, target.password, target.readOnly);
        break;
    case FileFormat::Kind::Unknown:
        throw ProviderErrors::unrecognisedFormat(target.path);
    }
    sqlite3_set_authorizer(handle->db(), authorize, nullptr);
    return handle;
}

void ConnectionImpl::open(const QString& connectionString) {
    if (handle)
        throw ProviderErrors::objectOpen();
    handle = openHandle(ConnectionString::parse(connectionString));
}

DatabaseHandle& ConnectionImpl::requireOpen() const {
    if (!handle)
        throw ProviderErrors::connectionClosed();
    return *handle;
}

std::unique_ptr<RowSource> ConnectionImpl::openRows(const QString& jetSql, const RowFilter* filter) {
    requireOpen();
    const QString engineSql = JetSqlTranslator::translate(jetSql);
    if (WordIndexCache::enabled()) {
        if (const std::optional<IndexedStatement> statement = IndexedStatement::parse(jetSql))
            if (std::unique_ptr<IndexRowSource> rows =
                    IndexRowSource::open(handle, *statement, engineSql, filter))
                return rows;
    }
    const QString rewritten = WordRangeRewrite::apply(handle, engineSql);
    IndexedWrite write(handle);
    auto rows = std::make_unique<SqliteRowSource>(handle, rewritten, timeout);
    write.finish();
    if (!filter)
        return rows;
    int field = -1;
    for (int i = 0; i < rows->fieldCount() && field < 0; ++i)
        if (rows->field(i).name.compare(QLatin1String("Wyraz"), Qt::CaseInsensitive) == 0)
            field = i;
    if (field < 0 || rows->writes())
        return rows;
    return std::make_unique<FilteringRowSource>(std::move(rows), *filter, field);
}

qint64 ConnectionImpl::execute(const QString& jetSql) {
    return executeOne(jetSql, true);
}

qint64 ConnectionImpl::executeOne(const QString& jetSql, bool followIndex) {
    DatabaseHandle& h = requireOpen();
    const QString rewritten = WordRangeRewrite::apply(handle, JetSqlTranslator::translate(jetSql));
    // The word index follows the rows the statement writes.
    std::optional<IndexedWrite> write;
    if (followIndex)
        write.emplace(handle);
    SqliteRowSource run(handle, rewritten, timeout);
    // A SELECT sent as a command is read to its end, as the original does.
    while (!run.atEnd())
        run.advance();
    const qint64 changed = run.writes() ? sqlite3_changes64(h.db()) : -1;
    if (write)
        write->finish();
    return changed;
}

qint64 ConnectionImpl::executeAll(const QStringList& jetSqls) {
    DatabaseHandle& h = requireOpen();
    const auto run = [&h](const char* sql) {
        char* message = nullptr;
        const int rc = sqlite3_exec(h.db(), sql, nullptr, nullptr, &message);
        sqlite3_free(message);
        if (rc != SQLITE_OK)
            throw h.lastError(rc);
    };
    // The index follows the transaction as one write: its rows become visible
    // with the commit, or not at all.
    IndexedWrite write(handle);
    run("BEGIN");
    qint64 changed = 0;
    try {
        for (const QString& sql : jetSqls)
            changed += qMax<qint64>(0, executeOne(sql, false));
        run("COMMIT");
        write.finish();
    } catch (...) {
        // The engine may have rolled back already (a failed COMMIT, a full disk).
        if (!sqlite3_get_autocommit(h.db()))
            sqlite3_exec(h.db(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    return changed;
}
