#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>

// Provider type codes the way ADO reports the columns of an Access table.
namespace AdoType {
constexpr int Empty = 0;
constexpr int SmallInt = 2; // Integer (16-bit)
constexpr int Integer = 3;  // Long Integer (32-bit)
constexpr int Single = 4;
constexpr int Double = 5;
constexpr int Currency = 6;
constexpr int Date = 7;
constexpr int Boolean = 11;
constexpr int UnsignedTinyInt = 17; // Byte
constexpr int Guid = 72;
constexpr int Binary = 128;
constexpr int Numeric = 131;
constexpr int VarWChar = 202;      // Text, defined size in characters
constexpr int LongVarWChar = 203;  // Memo
constexpr int LongVarBinary = 205; // OLE object
} // namespace AdoType

struct AccessColumn {
    QString name; // as stored, case kept
    int type = AdoType::Empty;
    int definedSize = 0; // characters for text, bytes for the other types
};

// A genuine Microsoft Access database file (Jet 3, Jet 4, or an unencrypted ACE
// file), opened read-only through libmdb. Values come back as QVariant: Null is
// an invalid QVariant(), 8/16/32-bit integers as int, texts as QString, Yes/No as
// bool, single/double/currency/decimal as double, dates as QDateTime (in UTC,
// i.e. the stored wall-clock time untouched by daylight saving), binary data as
// QByteArray, GUIDs as "{XXXXXXXX-...}" text. Errors are thrown as AppError.
class AccessFile {
public:
    enum class Version { Jet3, Jet4, Ace };

    // Header test only: the file starts like a Jet or ACE database.
    static bool looksLikeAccessFile(const QString& path);

    // Header only, without the reader: the format and the database password as
    // open() checks them. Throws the same errors as open() for these two.
    static Version checkPassword(const QString& path, const QString& password);

    // Opens the file and checks the database password against its header as Jet
    // does (an empty stored password means none is set). Throws AppError when the
    // file cannot be read, is not an Access database, or the password is wrong.
    static AccessFile open(const QString& path, const QString& password = QString());

    AccessFile(AccessFile&& other) noexcept;
    AccessFile& operator=(AccessFile&& other) noexcept;
    ~AccessFile();

    Version version() const;
    // User tables, as stored, in catalog order.
    QStringList tableNames() const;
    // The stored name of a table compared without regard to case; empty when none.
    QString findTable(const QString& name) const;
    // Throws AppError when the table does not exist (name compared case-insensitively).
    QVector<AccessColumn> columns(const QString& table) const;
    // Calls visit with each row's values in column order; visit returns false to stop.
    // Throws AppError when the rows read fall short of the table's own row count
    // (a truncated or damaged file), so a table is read whole or not at all.
    void forEachRow(const QString& table, const std::function<bool(const QVector<QVariant>&)>& visit) const;
    QVector<QVector<QVariant>> readRows(const QString& table) const;

    // Number of the error thrown for a wrong or missing password.
    static constexpr qint32 WrongPasswordError = -2147217843; // 0x80040E4D

private:
    struct Impl;
    explicit AccessFile(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d;
};
