#pragma once

#include "db/access/AccessFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

struct sqlite3;

// The tables of an Access file as read whole by the reader program (AccessImage):
// what code outside the provider reads, so that a damaged file can only fail,
// never take the program down. Values: Null is an invalid QVariant, whole
// numbers come as qlonglong, texts as QString, other numbers as double, binary
// data as QByteArray. Errors are thrown as AppError.
class AccessSnapshot {
public:
    static AccessSnapshot open(const QString& path, const QString& password = QString());

    AccessSnapshot(AccessSnapshot&& other) noexcept;
    AccessSnapshot& operator=(AccessSnapshot&& other) noexcept;
    ~AccessSnapshot();

    // User tables, in the order the file lists them.
    QStringList tableNames() const;
    // The stored name of a table compared without regard to case; empty when none.
    QString findTable(const QString& name) const;
    // Throws AppError when the table does not exist.
    QVector<AccessColumn> columns(const QString& table) const;
    // Calls visit with each row's values in column order; visit returns false to stop.
    void forEachRow(const QString& table, const std::function<bool(const QVector<QVariant>&)>& visit) const;

private:
    AccessSnapshot() = default;
    QString m_path;
    std::shared_ptr<const QByteArray> m_image;
    sqlite3* m_db = nullptr;
};
