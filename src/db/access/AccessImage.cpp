#include "db/access/AccessImage.h"

#include "db/DeclaredType.h"
#include "db/ProviderErrors.h"
#include "db/access/AccessFile.h"
#include "db/access/AccessReaderProcess.h"
#include "db/jet/JetFunctions.h"
#include "db/native/EngineSetup.h"
#include "db/text/SqlQuote.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

#include <sqlite3.h>

#include <list>
#include <mutex>

namespace {

using SqlQuote::quoteName;

struct CachedImage {
    QString path;
    qint64 size;
    QDateTime modified;
    std::shared_ptr<const QByteArray> image;
};

// A few recently used files; a dictionary image can be large.
constexpr size_t kCacheEntries = 3;
std::mutex g_cacheMutex;
std::list<CachedImage> g_cache;

bool isText(int type) {
    return type == AdoType::VarWChar || type == AdoType::LongVarWChar || type == 130;
}

class MemoryDatabase {
public:
    MemoryDatabase() {
        if (sqlite3_open_v2(":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
            SQLITE_OK)
            fail(QStringLiteral("open"));
        JetFunctions::registerAll(m_db);
    }
    ~MemoryDatabase() {
        sqlite3_finalize(m_insert);
        sqlite3_close_v2(m_db);
    }

    void exec(const QString& sql) {
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(sql);
    }

    void prepareInsert(const QString& sql) {
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &m_insert, nullptr) != SQLITE_OK)
            fail(sql);
    }

    void endInsert() {
        sqlite3_finalize(m_insert);
        m_insert = nullptr;
    }

    void insert(const QVector<QVariant>& row) {
        for (int i = 0; i < row.size(); ++i)
            bind(i + 1, row[i]);
        if (sqlite3_step(m_insert) != SQLITE_DONE)
            fail(QStringLiteral("insert"));
        sqlite3_reset(m_insert);
    }

    QByteArray serialise() {
        sqlite3_int64 size = 0;
        unsigned char* data = sqlite3_serialize(m_db, "main", &size, 0);
        if (!data)
            fail(QStringLiteral("serialize"));
        QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
        sqlite3_free(data);
        return bytes;
    }

private:
    void bind(int index, const QVariant& value) {
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            sqlite3_bind_null(m_insert, index);
            break;
        case QMetaType::Bool:
            // Yes is -1, as the original engine stores it.
            sqlite3_bind_int(m_insert, index, value.toBool() ? -1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UChar:
        case QMetaType::SChar:
            sqlite3_bind_int64(m_insert, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            sqlite3_bind_double(m_insert, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            sqlite3_bind_blob64(m_insert, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime: {
            const QByteArray text =
                value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
            sqlite3_bind_text(m_insert, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            sqlite3_bind_text(m_insert, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }

    [[noreturn]] void fail(const QString& what) {
        throw AppError(AppError::ProviderError, QStringLiteral("Nie można wczytać pliku Access (%1): %2")
                                                    .arg(what, QString::fromUtf8(sqlite3_errmsg(m_db))));
    }

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_insert = nullptr;
};

// Copies every user table with its column names and types. Words come in
// WyrazID order, as a native file stores them, so reads without ORDER BY
// return the same order on both kinds of file.
QByteArray buildImage(const AccessFile& file) {
    MemoryDatabase memory;
    memory.exec(QStringLiteral("BEGIN"));
    for (const QString& table : file.tableNames()) {
        const QVector<AccessColumn> columns = file.columns(table);
        if (columns.isEmpty())
            continue;
        QStringList definitions;
        QStringList marks;
        int wordIdColumn = -1;
        for (int i = 0; i < columns.size(); ++i) {
            const AccessColumn& c = columns[i];
            QString definition =
                quoteName(c.name) + QLatin1Char(' ') + DeclaredType::fromField(c.type, c.definedSize);
            // Texts compare as in the original engine: case-insensitively, Polish letters folded.
            if (isText(c.type))
                definition += QStringLiteral(" COLLATE POLISH");
            definitions << definition;
            marks << QStringLiteral("?");
            if (c.name.compare(QLatin1String("WyrazID"), Qt::CaseInsensitive) == 0 &&
                c.type == AdoType::Integer)
                wordIdColumn = i;
        }
        memory.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                        .arg(quoteName(table), definitions.join(QStringLiteral(", "))));
        memory.prepareInsert(
            QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoteName(table), marks.join(QLatin1Char(','))));

        // Rows stream straight in; words found out of WyrazID order are put in
        // order afterwards by the engine, which sorts without holding them twice.
        const bool wordsTable = table.compare(QLatin1String("WYRAZY"), Qt::CaseInsensitive) == 0;
        bool ordered = true;
        bool seenId = false;
        qint64 lastId = 0;
        file.forEachRow(table, [&](const QVector<QVariant>& row) {
            if (wordsTable && wordIdColumn >= 0 && ordered) {
                const QVariant& id = row[wordIdColumn];
                if (!id.isValid())
                    ordered = !seenId;
                else if (seenId && id.toLongLong() < lastId)
                    ordered = false;
                if (id.isValid()) {
                    seenId = true;
                    lastId = id.toLongLong();
                }
            }
            memory.insert(row);
            return true;
        });
        memory.endInsert();
        if (!ordered) {
            const QString sorted = quoteName(table + QStringLiteral("__w_kolejnosci"));
            memory.exec(
                QStringLiteral("CREATE TABLE %1 (%2)").arg(sorted, definitions.join(QStringLiteral(", "))));
            memory.exec(QStringLiteral("INSERT INTO %1 SELECT * FROM %2 ORDER BY %3, rowid")
                            .arg(sorted, quoteName(table), quoteName(columns[wordIdColumn].name)));
            memory.exec(QStringLiteral("DROP TABLE %1").arg(quoteName(table)));
            memory.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(sorted, quoteName(table)));
        }
        // The same indexes a native dictionary has, so searches by word or identifier stay quick.
        for (const AccessColumn& c : columns) {
            const bool word =
                c.name.compare(QLatin1String("Wyraz"), Qt::CaseInsensitive) == 0 && isText(c.type);
            const bool id = c.name.compare(QLatin1String("WyrazID"), Qt::CaseInsensitive) == 0;
            if (word || id)
                memory.exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                                .arg(quoteName(table + QLatin1Char('_') + c.name), quoteName(table),
                                     quoteName(c.name)));
        }
    }
    // An engine database without a single page has no image at all; a file with no
    // user table is still a valid, empty database.
    memory.exec(QStringLiteral("PRAGMA user_version = 1"));
    memory.exec(QStringLiteral("COMMIT"));
    return memory.serialise();
}

} // namespace

QByteArray AccessImage::build(const QString& path, const QString& password) {
    EngineSetup::ensure();
    return buildImage(AccessFile::open(path, password));
}

std::shared_ptr<const QByteArray> AccessImage::load(const QString& path, const QString& password) {
    EngineSetup::ensure();
    // The password is checked on every open, also when the content is cached.
    AccessFile::checkPassword(path, password);
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    {
        std::lock_guard lock(g_cacheMutex);
        for (auto it = g_cache.begin(); it != g_cache.end(); ++it) {
            if (it->path == key && it->size == size && it->modified == modified) {
                g_cache.splice(g_cache.begin(), g_cache, it);
                return g_cache.front().image;
            }
        }
    }
    auto image = std::make_shared<const QByteArray>(AccessReaderProcess::readImage(path, password));
    std::lock_guard lock(g_cacheMutex);
    g_cache.remove_if([&key](const CachedImage& c) { return c.path == key; });
    g_cache.push_front({key, size, modified, image});
    while (g_cache.size() > kCacheEntries)
        g_cache.pop_back();
    return image;
}
