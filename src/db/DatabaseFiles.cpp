#include "db/DatabaseFiles.h"

#include "db/AppError.h"
#include "db/access/AccessCopy.h"
#include "db/access/AccessFile.h"
#include "db/native/NativeDatabase.h"
#include "db/native/WriteAheadLog.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

const QString DatabaseFiles::OpenTitle = QStringLiteral("Otwórz bazę...");
const QString DatabaseFiles::OpenFilter =
    QStringLiteral("Pliki bazy danych (*.mdb)|*.mdb|Wszystkie pliki|*.*");
const QString DatabaseFiles::NewTitle = QStringLiteral("Nowa baza...");
const QString DatabaseFiles::SaveAsTitle = QStringLiteral("Zapisz jako...");
const QString DatabaseFiles::SaveFilter = QStringLiteral("Pliki bazy danych (*.mdb)|*.mdb");

QString DatabaseFiles::databasesFolder(const QString& programFolder) {
    return programFolder + QStringLiteral("/Databases");
}

QString DatabaseFiles::templatePath(const QString& programFolder) {
    return programFolder + QStringLiteral("/Templates/Template.tmp");
}

bool DatabaseFiles::isNormalFile(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

bool DatabaseFiles::isAccessFile(const QString& path) {
    return AccessFile::looksLikeAccessFile(path);
}

void DatabaseFiles::copyFile(const QString& source, const QString& target) {
    if (!QFileInfo(source).isFile())
        throw AppError(AppError::FileNotFound, QStringLiteral("Nie znaleziono pliku %1.").arg(source));
    if (QFileInfo::exists(target))
        throw AppError(AppError::FileAlreadyExists, QStringLiteral("Plik %1 już istnieje.").arg(target));
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir())
        throw AppError(AppError::PathNotFound,
                       QStringLiteral("Nie znaleziono folderu %1.")
                           .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath())));
    QFile file(source);
    // QFile::copy writes a temporary file and renames it, so a failure leaves nothing behind.
    if (!file.copy(target))
        throw AppError(
            AppError::PermissionDenied,
            QStringLiteral("Nie można skopiować pliku %1 do %2: %3").arg(source, target, file.errorString()));
    QFile copy(target);
    copy.setPermissions(copy.permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
}

void DatabaseFiles::copyDatabase(const QString& source, const QString& target, const QString& password) {
    if (!isAccessFile(source)) {
        copyFile(source, target);
        // The source may be in write-ahead mode while it is open for writing;
        // the copy must open anywhere on its own.
        WriteAheadLog::toRollback(target);
        return;
    }
    AccessCopy::toNative(source, password, target);
    if (password.isEmpty())
        return;
    // The copy keeps the password it was opened with; without it the copy is
    // not a finished copy and goes.
    try {
        sqlite3* db = NativeDatabase::open(target, QString(), false);
        try {
            NativeDatabase::setPassword(db, password);
        } catch (...) {
            sqlite3_close_v2(db);
            throw;
        }
        sqlite3_close_v2(db);
    } catch (...) {
        QFile::remove(target);
        throw;
    }
}
