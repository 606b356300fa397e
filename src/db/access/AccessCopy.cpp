#include "db/access/AccessCopy.h"

#include "db/AppError.h"
#include "db/DeclaredType.h"
#include "db/Recordset.h"
#include "db/access/AccessImage.h"
#include "db/native/NativeSchema.h"
#include "db/native/TempFiles.h"
#include "db/text/SqlQuote.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>
#include <unistd.h>

namespace {

using SqlQuote::quoteName;
using SqlQuote::quoteText;

QString quoted(const QString& path) {
    return QStringLiteral("„%1”").arg(QDir::toNativeSeparators(path));
}

class Handle {
public:
    explicit Handle(const QString& target) : m_target(target) {}
    ~Handle() { sqlite3_close_v2(m_db); }
    sqlite3*& get() { return m_db; }

    void exec(const QString& sql) {
        const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return;
        if ((rc & 0xFF) == SQLITE_FULL)
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Brak miejsca na dysku; kopia %1 nie została zapisana.")
                               .arg(quoted(m_target)));
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Nie można zapisać kopii %1: %2")
                           .arg(quoted(m_target), QString::fromUtf8(sqlite3_errmsg(m_db))));
    }

    // One integer from a query; -1 when it gives none.
    qint64 number(const QString& sql) {
        sqlite3_stmt* s = nullptr;
        qint64 value = -1;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &s, nullptr) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            value = sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
        return value;
    }

private:
    QString m_target;
    sqlite3* m_db = nullptr;
};

struct Column {
    QString name;
    QString declared;
};

QVector<Column> columnsOf(Handle& db, const QString& table) {
    QVector<Column> out;
    sqlite3_stmt* s = nullptr;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)).toUtf8();
    if (sqlite3_prepare_v2(db.get(), sql.constData(), -1, &s, nullptr) == SQLITE_OK)
        while (sqlite3_step(s) == SQLITE_ROW)
            out.append({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 1))),
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 2)))});
    sqlite3_finalize(s);
    return out;
}

// A dictionary's words table gets its identifier numbered by the engine, as in a
// file the program creates, so that words added later get the next number. Only
// when every stored identifier is a distinct whole number: otherwise the column
// stays as it is, with the values it has.
void numberWordsAsNative(Handle& db) {
    const QString table = [&] {
        sqlite3_stmt* s = nullptr;
        QString name;
        if (sqlite3_prepare_v2(db.get(),
                               "SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'WYRAZY' "
                               "COLLATE NOCASE",
                               -1, &s, nullptr) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        return name;
    }();
    if (table.isEmpty())
        return;
    const QVector<Column> columns = columnsOf(db, table);
    qsizetype idColumn = -1;
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(QLatin1String("WyrazID"), Qt::CaseInsensitive) == 0 &&
            DeclaredType::toField(columns[i].declared).type == FieldType::Integer)
            idColumn = i;
    if (idColumn < 0)
        return;
    const QString id = quoteName(columns[idColumn].name);
    const QString t = quoteName(table);
    if (db.number(QStringLiteral("SELECT COUNT(*) = COUNT(DISTINCT %1) AND COUNT(*) = SUM(typeof(%1) = "
                                 "'integer') FROM %2")
                      .arg(id, t)) == 0)
        return;
    QStringList definitions;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        QString definition = quoteName(c.name) + QLatin1Char(' ');
        if (i == idColumn) {
            definition += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        } else {
            definition += c.declared;
            const int type = DeclaredType::toField(c.declared).type;
            if (type == FieldType::VarWChar || type == FieldType::LongVarWChar || type == 130)
                definition += QStringLiteral(" COLLATE POLISH");
        }
        definitions << definition;
    }
    const QString rebuilt = quoteName(table + QStringLiteral("__kopia"));
    db.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(rebuilt, definitions.join(QStringLiteral(", "))));
    db.exec(QStringLiteral("INSERT INTO %1 SELECT * FROM %2 ORDER BY %3").arg(rebuilt, t, id));
    db.exec(QStringLiteral("DROP TABLE %1").arg(t));
    db.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(rebuilt, t));
    for (const Column& c : columns)
        if (c.name.compare(QLatin1String("Wyraz"), Qt::CaseInsensitive) == 0)
            db.exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                        .arg(quoteName(table + QLatin1Char('_') + c.name), t, quoteName(c.name)));
}

} // namespace

void AccessCopy::toNative(const QString& accessPath, const QString& password, const QString& targetPath) {
    if (QFileInfo::exists(targetPath))
        throw AppError(AppError::FileAlreadyExists,
                       QStringLiteral("Plik %1 już istnieje.").arg(quoted(targetPath)));
    const QFileInfo target(targetPath);
    if (!target.absoluteDir().exists())
        throw AppError(AppError::PathNotFound,
                       QStringLiteral("Folder %1 nie istnieje.").arg(quoted(target.absolutePath())));
    // Read whole or not at all; a file the reader cannot read fails here.
    const std::shared_ptr<const QByteArray> image = AccessImage::load(accessPath, password);

    // The copy is written under a hidden name beside the target and takes the
    // target's name only when complete.
    TempFiles::removeStale(target.absolutePath());
    QString temp;
    int lock = -1;
    for (int attempt = 0; attempt < 100 && lock < 0; ++attempt) {
        temp = TempFiles::nameFor(targetPath);
        QFile created(temp);
        if (created.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            created.close();
            lock = TempFiles::hold(temp);
            if (lock < 0)
                QFile::remove(temp);
        } else if (!QFileInfo::exists(temp)) {
            break;
        }
    }
    if (lock < 0) {
        QFile::remove(temp);
        throw AppError(
            AppError::PermissionDenied,
            QStringLiteral("Nie można utworzyć pliku w folderze %1.").arg(quoted(target.absolutePath())));
    }
    try {
        {
            Handle source(targetPath);
            if (sqlite3_open_v2(":memory:", &source.get(), SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
                throw AppError(AppError::OutOfMemory, QStringLiteral("Brak pamięci."));
            auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(image->constData()));
            if (sqlite3_deserialize(source.get(), "main", bytes, image->size(), image->size(),
                                    SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
                throw AppError(AppError::OutOfMemory, QStringLiteral("Brak pamięci."));
            NativeSchema::registerCollation(source.get());
            source.exec(QStringLiteral("VACUUM INTO %1").arg(quoteText(temp)));
        }
        {
            Handle copy(targetPath);
            if (sqlite3_open_v2(QFile::encodeName(temp).constData(), &copy.get(), SQLITE_OPEN_READWRITE,
                                nullptr) != SQLITE_OK)
                throw AppError(AppError::PermissionDenied,
                               QStringLiteral("Nie można zapisać kopii %1.").arg(quoted(targetPath)));
            NativeSchema::registerCollation(copy.get());
            copy.exec(QStringLiteral("BEGIN"));
            copy.exec(QStringLiteral("PRAGMA application_id = 1282438245"));
            numberWordsAsNative(copy);
            copy.exec(QStringLiteral("COMMIT"));
        }
        // link() never replaces a file that appeared meanwhile.
        if (::link(QFile::encodeName(temp).constData(), QFile::encodeName(targetPath).constData()) != 0)
            throw AppError(QFileInfo::exists(targetPath) ? AppError::FileAlreadyExists
                                                         : AppError::PermissionDenied,
                           QFileInfo::exists(targetPath)
                               ? QStringLiteral("Plik %1 już istnieje.").arg(quoted(targetPath))
                               : QStringLiteral("Nie można zapisać kopii %1.").arg(quoted(targetPath)));
        QFile::remove(temp);
        TempFiles::release(lock);
    } catch (...) {
        QFile::remove(temp);
        QFile::remove(temp + QStringLiteral("-journal"));
        TempFiles::release(lock);
        throw;
    }
}
