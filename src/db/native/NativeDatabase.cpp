#include "db/native/NativeDatabase.h"

#include "db/ProviderErrors.h"
#include "db/jet/JetFunctions.h"
#include "db/native/EngineSetup.h"
#include "db/native/NativeSchema.h"

#include <QFile>
#include <QFileInfo>

#include <sodium.h>
#include <sqlite3.h>

#include <mutex>
#include <set>

namespace {

const char* const kCreateMeta = "CREATE TABLE LiteronMeta (Klucz VARCHAR(50) PRIMARY KEY, Wartosc LONGTEXT)";
const char* const kPasswordKey = "HasloSkrot";

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Nie można zainicjować biblioteki kryptograficznej."));
}

QString pathOf(sqlite3* db) {
    const char* name = sqlite3_db_filename(db, "main");
    return QString::fromUtf8(name ? name : "");
}

// Errors met while reading the file itself: not a database, locked, unreadable.
[[noreturn]] void throwFileError(sqlite3* db, int rc) {
    const int primary = rc & 0xff;
    if (rc == SQLITE_READONLY_ROLLBACK || rc == SQLITE_READONLY_RECOVERY)
        throw ProviderErrors::needsRepairButReadOnly(pathOf(db));
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
        throw ProviderErrors::unrecognisedFormat(pathOf(db));
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        throw ProviderErrors::fileLocked(pathOf(db));
    throw ProviderErrors::cannotOpen(pathOf(db), QString::fromUtf8(sqlite3_errmsg(db)));
}

void exec(sqlite3* db, const char* sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errstr(rc));
        sqlite3_free(message);
        throw ProviderErrors::engine(rc, text);
    }
}

// The stored hash, empty when the file has no password.
QByteArray storedHash(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    int rc =
        sqlite3_prepare_v2(db, "SELECT Wartosc FROM LiteronMeta WHERE Klucz = ?", -1, &statement, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        // A file without the table has no password. The failed prepare has
        // read the schema afresh, so the table is not merely unknown to a
        // handle that has been open for a while.
        if ((rc & 0xff) == SQLITE_ERROR &&
            sqlite3_table_column_metadata(db, "main", "LiteronMeta", nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr) != SQLITE_OK)
            return {};
        throwFileError(db, rc);
    }
    sqlite3_bind_text(statement, 1, kPasswordKey, -1, SQLITE_STATIC);
    QByteArray hash;
    rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW)
        hash = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                          sqlite3_column_bytes(statement, 0));
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throwFileError(db, rc);
    return hash;
}

// Remembered successful checks, as a keyed digest of (stored hash, password):
// the password itself is not kept in memory.
std::mutex g_verifiedMutex;
std::set<QByteArray> g_verified;

QByteArray verifiedKey(const QByteArray& hash, const QByteArray& password) {
    QByteArray key(crypto_generichash_BYTES, Qt::Uninitialized);
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, key.size());
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(hash.constData()), hash.size());
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>("\0"), 1);
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(password.constData()),
                              password.size());
    crypto_generichash_final(&state, reinterpret_cast<unsigned char*>(key.data()), key.size());
    return key;
}

} // namespace

void NativeDatabase::create(const QString& path, const QString& password) {
    EngineSetup::ensure();
    if (QFileInfo::exists(path))
        throw AppError(AppError::FileAlreadyExists, QStringLiteral("Plik '%1' już istnieje.").arg(path));
    QFile file(path);
    // NewOnly: never overwrite a file that appeared in the meantime.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw AppError(AppError::PathNotFound,
                       QStringLiteral("Nie można utworzyć pliku '%1': %2").arg(path, file.errorString()));
    file.close();

    const QString absolute = QFileInfo(path).absoluteFilePath();
    sqlite3* db = nullptr;
    try {
        if (sqlite3_open_v2(absolute.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw ProviderErrors::cannotOpen(path, QString::fromUtf8(sqlite3_errmsg(db)));
        NativeSchema::registerCollation(db);
        exec(db, "BEGIN");
        exec(db, "PRAGMA application_id = 1282438245"); // "Lite"
        for (const QString& statement : NativeSchema::createStatements())
            exec(db, statement.toUtf8().constData());
        exec(db, kCreateMeta);
        setPassword(db, password);
        exec(db, "COMMIT");
        sqlite3_close_v2(db);
    } catch (...) {
        sqlite3_close_v2(db);
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
        throw;
    }
}

sqlite3* NativeDatabase::open(const QString& path, const QString& password, bool readOnly) {
    EngineSetup::ensure();
    const QFileInfo info(path);
    if (!info.isFile())
        throw ProviderErrors::fileNotFound(path);
    sqlite3* db = nullptr;
    // A file with its write bits off is never written, also by a user the system
    // would let write it (root): not even to roll back a journal left behind.
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!(info.permissions() & writeBits))
        readOnly = true;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    // An absolute path never starts with "file:", so it is not taken for a URI.
    const int rc = sqlite3_open_v2(info.absoluteFilePath().toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw ProviderErrors::cannotOpen(path, message);
    }
    try {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, 2000);
        JetFunctions::registerAll(db);
        if (!checkPassword(db, password))
            throw ProviderErrors::wrongPassword();
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}

bool NativeDatabase::hasPassword(sqlite3* db) {
    return !storedHash(db).isEmpty();
}

void NativeDatabase::setPassword(sqlite3* db, const QString& password) {
    ensureSodium();
    exec(db, "CREATE TABLE IF NOT EXISTS LiteronMeta (Klucz VARCHAR(50) PRIMARY KEY, Wartosc LONGTEXT)");
    sqlite3_stmt* statement = nullptr;
    if (password.isEmpty()) {
        sqlite3_prepare_v2(db, "DELETE FROM LiteronMeta WHERE Klucz = ?", -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, kPasswordKey, -1, SQLITE_STATIC);
    } else {
        const QByteArray utf8 = password.toUtf8();
        char hash[crypto_pwhash_STRBYTES];
        if (crypto_pwhash_str(hash, utf8.constData(), utf8.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
            throw AppError(AppError::OutOfMemory, QStringLiteral("Brak pamięci do zabezpieczenia hasła."));
        sqlite3_prepare_v2(db, "INSERT OR REPLACE INTO LiteronMeta (Klucz, Wartosc) VALUES (?, ?)", -1,
                           &statement, nullptr);
        sqlite3_bind_text(statement, 1, kPasswordKey, -1, SQLITE_STATIC);
        sqlite3_bind_text(statement, 2, hash, -1, SQLITE_TRANSIENT);
    }
    const int rc = statement ? sqlite3_step(statement) : sqlite3_errcode(db);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        throw ProviderErrors::engine(rc, QString::fromUtf8(sqlite3_errmsg(db)));
}

bool NativeDatabase::checkPassword(sqlite3* db, const QString& password) {
    const QByteArray hash = storedHash(db);
    if (hash.isEmpty())
        return true;
    ensureSodium();
    const QByteArray utf8 = password.toUtf8();
    const QByteArray key = verifiedKey(hash, utf8);
    {
        std::lock_guard lock(g_verifiedMutex);
        if (g_verified.count(key))
            return true;
    }
    if (crypto_pwhash_str_verify(hash.constData(), utf8.constData(), utf8.size()) != 0)
        return false;
    std::lock_guard lock(g_verifiedMutex);
    g_verified.insert(key);
    return true;
}
