#include "db/access/AccessSnapshot.h"

#include "db/AppError.h"
#include "db/DeclaredType.h"
#include "db/access/AccessImage.h"
#include "db/native/NativeSchema.h"
#include "db/text/SqlQuote.h"

#include <sqlite3.h>

#include <utility>

namespace {

using SqlQuote::quoteName;

struct Statement {
    sqlite3_stmt* s = nullptr;
    ~Statement() { sqlite3_finalize(s); }
};

} // namespace

AccessSnapshot AccessSnapshot::open(const QString& path, const QString& password) {
    AccessSnapshot snapshot;
    snapshot.m_path = path;
    snapshot.m_image = AccessImage::load(path, password);
    auto* bytes = reinterpret_cast<unsigned char*>(const_cast<char*>(snapshot.m_image->constData()));
    if (sqlite3_open_v2(":memory:", &snapshot.m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
            SQLITE_OK ||
        sqlite3_deserialize(snapshot.m_db, "main", bytes, snapshot.m_image->size(), snapshot.m_image->size(),
                            SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
        throw AppError(AppError::OutOfMemory, QStringLiteral("Brak pamięci na odczyt pliku '%1'.").arg(path));
    NativeSchema::registerCollation(snapshot.m_db);
    return snapshot;
}

AccessSnapshot::AccessSnapshot(AccessSnapshot&& other) noexcept
    : m_path(std::move(other.m_path)), m_image(std::move(other.m_image)),
      m_db(std::exchange(other.m_db, nullptr)) {}

AccessSnapshot& AccessSnapshot::operator=(AccessSnapshot&& other) noexcept {
    if (this != &other) {
        sqlite3_close_v2(m_db);
        m_path = std::move(other.m_path);
        m_image = std::move(other.m_image);
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

AccessSnapshot::~AccessSnapshot() {
    sqlite3_close_v2(m_db);
}

QStringList AccessSnapshot::tableNames() const {
    QStringList names;
    Statement st;
    if (sqlite3_prepare_v2(
            m_db,
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' "
            "ESCAPE '\\' ORDER BY rowid",
            -1, &st.s, nullptr) == SQLITE_OK)
        while (sqlite3_step(st.s) == SQLITE_ROW)
            names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, 0)));
    return names;
}

QString AccessSnapshot::findTable(const QString& name) const {
    for (const QString& table : tableNames())
        if (table.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    return QString();
}

QVector<AccessColumn> AccessSnapshot::columns(const QString& table) const {
    const QString stored = findTable(table);
    if (stored.isEmpty())
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Tabela '%1' nie istnieje w pliku '%2'.").arg(table, m_path));
    QVector<AccessColumn> out;
    Statement st;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(stored)).toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &st.s, nullptr) == SQLITE_OK)
        while (sqlite3_step(st.s) == SQLITE_ROW) {
            const DeclaredType::Field field = DeclaredType::toField(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, 2))));
            out.append({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, 1))),
                        field.type, field.definedSize});
        }
    return out;
}

void AccessSnapshot::forEachRow(const QString& table,
                                const std::function<bool(const QVector<QVariant>&)>& visit) const {
    const QString stored = findTable(table);
    if (stored.isEmpty())
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Tabela '%1' nie istnieje w pliku '%2'.").arg(table, m_path));
    Statement st;
    const QByteArray sql = QStringLiteral("SELECT * FROM %1").arg(quoteName(stored)).toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &st.s, nullptr) != SQLITE_OK)
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Nie można odczytać tabeli '%1' z pliku '%2'.").arg(table, m_path));
    const int count = sqlite3_column_count(st.s);
    QVector<QVariant> row(count);
    while (sqlite3_step(st.s) == SQLITE_ROW) {
        for (int i = 0; i < count; ++i) {
            switch (sqlite3_column_type(st.s, i)) {
            case SQLITE_NULL:
                row[i] = QVariant();
                break;
            case SQLITE_INTEGER:
                row[i] = QVariant(static_cast<qlonglong>(sqlite3_column_int64(st.s, i)));
                break;
            case SQLITE_FLOAT:
                row[i] = QVariant(sqlite3_column_double(st.s, i));
                break;
            case SQLITE_BLOB:
                row[i] = QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st.s, i)),
                                             sqlite3_column_bytes(st.s, i)));
                break;
            default:
                row[i] =
                    QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, i)),
                                               sqlite3_column_bytes(st.s, i)));
                break;
            }
        }
        if (!visit(row))
            return;
    }
}
