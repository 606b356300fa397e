#include "db/native/DictionaryWriter.h"

#include "db/AppError.h"
#include "db/FileFormat.h"
#include "db/native/NativeDatabase.h"
#include "db/native/TempFiles.h"
#include "db/text/PolishOrder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// Rows per multi-row INSERT: one statement per batch keeps the per-statement work
// (including the AUTOINCREMENT bookkeeping) off the per-row path.
constexpr int BatchRows = 250;
constexpr qint64 ProgressEvery = 50000;

struct StatementDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

QString quoted(const QString& path) {
    return QStringLiteral("„%1”").arg(QDir::toNativeSeparators(path));
}

void syncPath(const QString& path, int flags) {
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The engine stores UTF-8; converting here, into one buffer per batch, spares it a
// conversion and an allocation per word. Unpaired surrogates become U+FFFD.
void appendUtf8(std::string& out, QStringView text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(text[i + 1].unicode()))
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), text[++i].unicode());
        else if (QChar::isSurrogate(c))
            c = 0xFFFD;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

int collatePolish(void*, int lengthA, const void* a, int lengthB, const void* b) {
    return PolishOrder::compareUtf8(static_cast<const char*>(a), lengthA, static_cast<const char*>(b),
                                    lengthB);
}

struct PendingWord {
    qint64 id;
    qsizetype offset; // into the batch's UTF-8 text
    qsizetype length; // in bytes
};

} // namespace

struct DictionaryWriter::Impl {
    QString path;
    QString tempPath;
    int tempLock = -1; // held while the work file is ours (TempFiles)
    bool newFile = false;
    sqlite3* db = nullptr;
    bool inTransaction = false;
    bool committed = false;
    qint64 nextId = 1;
    qint64 rowsWritten = 0;
    qint64 lastReported = 0;
    std::function<void(qint64)> progress;
    QStringList deferredIndexes; // of a new file, created by commit()

    Statement insertBatch;
    Statement insertWord;
    Statement insertDescription;
    Statement selectDescriptions;
    std::string batchText; // UTF-8 of the batch's words, bound without copies
    std::vector<PendingWord> batch;

    ~Impl() {
        insertBatch.reset();
        insertWord.reset();
        insertDescription.reset();
        selectDescriptions.reset();
        if (db) {
            if (inTransaction && !committed)
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close_v2(db);
        }
        if (newFile && !tempPath.isEmpty() && !committed)
            QFile::remove(tempPath);
        TempFiles::release(tempLock);
    }

    [[noreturn]] void fail(int rc, const QString& doing) const {
        const QString detail =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        switch (rc & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            throw AppError(
                AppError::PermissionDenied,
                QStringLiteral("Słownik %1 jest zablokowany przez inny program. Spróbuj ponownie później.")
                    .arg(quoted(path)));
        case SQLITE_READONLY:
        case SQLITE_PERM:
            throw AppError(AppError::PermissionDenied,
                           QStringLiteral("Słownik %1 jest tylko do odczytu.").arg(quoted(path)));
        case SQLITE_NOTADB:
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Plik %1 nie jest słownikiem programu.").arg(quoted(path)));
        case SQLITE_FULL:
            throw AppError(
                AppError::ProviderError,
                QStringLiteral("Brak miejsca na dysku; słownik %1 nie został zmieniony.").arg(quoted(path)));
        default:
            throw AppError(
                AppError::ProviderError,
                QStringLiteral("%1 słownika %2 nie powiodło się: %3").arg(doing, quoted(path), detail));
        }
    }

    void exec(const QString& sql, const QString& doing) {
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            fail(rc, doing);
    }

    Statement prepare(const QString& sql, const QString& doing) {
        sqlite3_stmt* s = nullptr;
        const QByteArray utf8 = sql.toUtf8();
        const int rc = sqlite3_prepare_v2(db, utf8.constData(), static_cast<int>(utf8.size()), &s, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(s);
            fail(rc, doing);
        }
        return Statement(s);
    }

    void step(sqlite3_stmt* s, const QString& doing) {
        const int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            fail(rc, doing);
    }

    void openExisting(const QString& password) {
        const QFileInfo info(path);
        if (!info.isFile())
            throw AppError(AppError::PathNotFound, QStringLiteral("%1 nie jest plikiem.").arg(quoted(path)));
        switch (FileFormat::detect(path)) {
        case FileFormat::Kind::Native:
            break;
        case FileFormat::Kind::Access:
            throw AppError(
                AppError::ProviderError,
                QStringLiteral("Plik %1 jest bazą programu Microsoft Access. Wyrazy można dodawać tylko "
                               "do słownika w formacie programu; bazę Access można do niego przenieść "
                               "poleceniem „Zapisz jako...”.")
                    .arg(quoted(path)));
        case FileFormat::Kind::Unknown:
            if (!info.isReadable())
                throw AppError(AppError::PermissionDenied,
                               QStringLiteral("Brak uprawnień do odczytu pliku %1.").arg(quoted(path)));
            fail(SQLITE_NOTADB, QString());
        }
        // A file marked read-only stays untouched even for a user the system would let write it.
        const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!info.isWritable() || !(info.permissions() & writeBits))
            fail(SQLITE_READONLY, QString());
        db = NativeDatabase::open(path, password, false);
        if (sqlite3_db_readonly(db, "main") == 1)
            fail(SQLITE_READONLY, QString());
        for (const char* probe :
             {"SELECT WyrazID, Wyraz FROM WYRAZY LIMIT 0", "SELECT WyrazID, Opis FROM OPISY LIMIT 0"}) {
            sqlite3_stmt* s = nullptr;
            const int prc = sqlite3_prepare_v2(db, probe, -1, &s, nullptr);
            sqlite3_finalize(s);
            if ((prc & 0xFF) == SQLITE_BUSY || (prc & 0xFF) == SQLITE_LOCKED)
                fail(prc, QString());
            if (prc != SQLITE_OK)
                fail(SQLITE_NOTADB, QString());
        }
        // Large enough that an import's pages stay in memory until the commit.
        exec(QStringLiteral("PRAGMA cache_size=-131072"), QStringLiteral("Otwarcie"));
        exec(QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("Otwarcie"));
        inTransaction = true;

        qint64 highest = 0;
        Statement maxId =
            prepare(QStringLiteral("SELECT MAX(WyrazID) FROM WYRAZY"), QStringLiteral("Odczyt"));
        if (sqlite3_step(maxId.get()) == SQLITE_ROW)
            highest = sqlite3_column_int64(maxId.get(), 0);
        // AUTOINCREMENT never reuses the IDs of deleted words; neither does the import.
        sqlite3_stmt* seq = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT seq FROM sqlite_sequence WHERE name = 'WYRAZY'", -1, &seq,
                               nullptr) == SQLITE_OK &&
            sqlite3_step(seq) == SQLITE_ROW)
            highest = std::max<qint64>(highest, sqlite3_column_int64(seq, 0));
        sqlite3_finalize(seq);
        nextId = highest + 1;
    }

    void createNew() {
        const QFileInfo info(path);
        const QDir dir = info.absoluteDir();
        if (!dir.exists())
            throw AppError(AppError::PathNotFound,
                           QStringLiteral("Folder %1 nie istnieje.").arg(quoted(dir.absolutePath())));
        // Work files of writers that were killed or crashed here earlier.
        TempFiles::removeStale(dir.absolutePath());
        // An empty dictionary under a name nobody else uses; it takes the target's
        // name only in commit().
        for (int attempt = 0; attempt < 100 && tempPath.isEmpty(); ++attempt) {
            const QString candidate = TempFiles::nameFor(path);
            try {
                NativeDatabase::create(candidate);
                tempPath = candidate;
                tempLock = TempFiles::hold(candidate);
            } catch (const AppError& e) {
                if (e.number() != AppError::FileAlreadyExists)
                    throw AppError(AppError::PermissionDenied,
                                   QStringLiteral("Nie można utworzyć pliku w folderze %1.")
                                       .arg(quoted(dir.absolutePath())));
            }
        }
        if (tempPath.isEmpty())
            throw AppError(
                AppError::PermissionDenied,
                QStringLiteral("Nie można utworzyć pliku w folderze %1.").arg(quoted(dir.absolutePath())));
        newFile = true;

        db = NativeDatabase::open(tempPath, QString(), false);
        // Nobody else sees this file until commit() renames it, and a failure deletes it,
        // so it needs neither a journal nor syncing while it is built.
        exec(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA secure_delete=OFF; "
                            "PRAGMA cache_size=-131072; PRAGMA temp_store=MEMORY; PRAGMA threads=2"),
             QStringLiteral("Utworzenie"));
        // The same order as NativeSchema's collation, through a table for the
        // dictionary's words: building the Wyraz index compares them tens of millions of times.
        if (sqlite3_create_collation(db, "POLISH", SQLITE_UTF8, nullptr, collatePolish) != SQLITE_OK)
            fail(sqlite3_errcode(db), QStringLiteral("Utworzenie"));
        exec(QStringLiteral("BEGIN"), QStringLiteral("Utworzenie"));
        inTransaction = true;
        // Indexes are built once at the end, over all the rows: far quicker than
        // keeping them up to date row by row.
        Statement indexes = prepare(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' "
                                                   "AND sql IS NOT NULL"),
                                    QStringLiteral("Utworzenie"));
        QStringList names;
        while (sqlite3_step(indexes.get()) == SQLITE_ROW) {
            names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(indexes.get(), 0)));
            deferredIndexes << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(indexes.get(), 1)));
        }
        indexes.reset();
        for (const QString& name : names)
            exec(QStringLiteral("DROP INDEX \"%1\"").arg(name), QStringLiteral("Utworzenie"));
    }

    void reportProgress(qint64 rows) {
        rowsWritten += rows;
        if (progress && rowsWritten - lastReported >= ProgressEvery) {
            lastReported = rowsWritten;
            progress(rowsWritten);
        }
    }

    void bindWord(sqlite3_stmt* s, int column, const PendingWord& w) {
        sqlite3_bind_int64(s, column, w.id);
        sqlite3_bind_text(s, column + 1, batchText.data() + w.offset, static_cast<int>(w.length),
                          SQLITE_STATIC);
    }

    void flush() {
        if (batch.empty())
            return;
        const QString doing = QStringLiteral("Zapis");
        if (batch.size() == BatchRows) {
            if (!insertBatch) {
                QString sql = QStringLiteral("INSERT INTO WYRAZY (WyrazID, Wyraz) VALUES (?,?)");
                for (int i = 1; i < BatchRows; ++i)
                    sql += QStringLiteral(",(?,?)");
                insertBatch = prepare(sql, doing);
            }
            for (int i = 0; i < BatchRows; ++i)
                bindWord(insertBatch.get(), 2 * i + 1, batch[static_cast<size_t>(i)]);
            step(insertBatch.get(), doing);
        } else {
            if (!insertWord)
                insertWord =
                    prepare(QStringLiteral("INSERT INTO WYRAZY (WyrazID, Wyraz) VALUES (?,?)"), doing);
            for (const PendingWord& w : batch) {
                bindWord(insertWord.get(), 1, w);
                step(insertWord.get(), doing);
            }
        }
        const auto rows = static_cast<qint64>(batch.size());
        batch.clear();
        batchText.clear();
        reportProgress(rows);
    }

    void queue(qint64 id, QStringView word) {
        PendingWord w{id, static_cast<qsizetype>(batchText.size()), 0};
        appendUtf8(batchText, word);
        w.length = static_cast<qsizetype>(batchText.size()) - w.offset;
        batch.push_back(w);
        if (batch.size() == BatchRows)
            flush();
    }

    void describe(const QVariant& wordId, const QVariant& text) {
        const QString doing = QStringLiteral("Zapis");
        if (!insertDescription)
            insertDescription =
                prepare(QStringLiteral("INSERT INTO OPISY (WyrazID, Opis) VALUES (?,?)"), doing);
        sqlite3_stmt* s = insertDescription.get();
        if (wordId.isValid())
            sqlite3_bind_int64(s, 1, wordId.toLongLong());
        else
            sqlite3_bind_null(s, 1);
        QString value;
        if (text.isValid()) {
            value = text.toString();
            sqlite3_bind_text16(s, 2, value.utf16(), static_cast<int>(value.size() * 2), SQLITE_STATIC);
        } else {
            sqlite3_bind_null(s, 2);
        }
        step(s, doing);
        reportProgress(1);
    }
};

DictionaryWriter::DictionaryWriter(const QString& path, const QString& password)
    : d(std::make_unique<Impl>()) {
    d->path = path;
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        d->openExisting(password);
    else
        d->createNew();
}

DictionaryWriter::~DictionaryWriter() = default;

bool DictionaryWriter::isNewFile() const {
    return d->newFile;
}

void DictionaryWriter::forEachWord(const std::function<void(qint64, const QString&)>& visit) {
    d->flush();
    Statement s = d->prepare(QStringLiteral("SELECT WyrazID, Wyraz FROM WYRAZY ORDER BY WyrazID"),
                             QStringLiteral("Odczyt"));
    int rc;
    while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
        QString word;
        if (sqlite3_column_type(s.get(), 1) != SQLITE_NULL) {
            const auto* text = static_cast<const QChar*>(sqlite3_column_text16(s.get(), 1));
            word = QString(text, sqlite3_column_bytes16(s.get(), 1) / 2);
        }
        visit(sqlite3_column_int64(s.get(), 0), word);
    }
    if (rc != SQLITE_DONE)
        d->fail(rc, QStringLiteral("Odczyt"));
}

QStringList DictionaryWriter::descriptions(qint64 wordId) {
    if (!d->selectDescriptions)
        d->selectDescriptions =
            d->prepare(QStringLiteral("SELECT Opis FROM OPISY WHERE WyrazID = ?"), QStringLiteral("Odczyt"));
    sqlite3_stmt* s = d->selectDescriptions.get();
    sqlite3_bind_int64(s, 1, wordId);
    QStringList out;
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        if (sqlite3_column_type(s, 0) == SQLITE_NULL)
            continue;
        const auto* text = static_cast<const QChar*>(sqlite3_column_text16(s, 0));
        out << QString(text, sqlite3_column_bytes16(s, 0) / 2);
    }
    sqlite3_reset(s);
    if (rc != SQLITE_DONE)
        d->fail(rc, QStringLiteral("Odczyt"));
    return out;
}

qint64 DictionaryWriter::addWord(QStringView word) {
    const qint64 id = d->nextId++;
    d->queue(id, word);
    return id;
}

void DictionaryWriter::addDescription(qint64 wordId, QStringView text) {
    d->describe(QVariant(wordId), QVariant(text.toString()));
}

void DictionaryWriter::setProgress(std::function<void(qint64)> progress) {
    d->progress = std::move(progress);
}

void DictionaryWriter::commit() {
    d->flush();
    const QString doing = QStringLiteral("Zapis");
    for (const QString& sql : d->deferredIndexes)
        d->exec(sql, doing);
    d->exec(QStringLiteral("COMMIT"), doing);
    d->inTransaction = false;
    if (!d->newFile) {
        d->committed = true;
        return;
    }
    d->insertBatch.reset();
    d->insertWord.reset();
    d->insertDescription.reset();
    d->selectDescriptions.reset();
    const int rc = sqlite3_close(d->db);
    if (rc != SQLITE_OK)
        d->fail(rc, doing);
    d->db = nullptr;
    syncPath(d->tempPath, O_RDONLY);
    // rename() here refuses to replace a file that appeared meanwhile.
    if (!QFile::rename(d->tempPath, d->path))
        throw AppError(
            AppError::FileAlreadyExists,
            QStringLiteral("Nie można zapisać słownika %1: plik o tej nazwie już istnieje lub folder "
                           "nie przyjmuje zmian.")
                .arg(quoted(d->path)));
    d->committed = true;
    syncPath(QFileInfo(d->path).absolutePath(), O_RDONLY | O_DIRECTORY);
}
