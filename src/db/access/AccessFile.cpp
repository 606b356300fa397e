#include "db/access/AccessFile.h"

#include "db/AppError.h"

#include <QDateTime>
#include <QFile>
#include <QUuid>
#include <QtEndian>

#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

// mdbtools.h includes glib and iconv inside extern "C"; including them first keeps
// their C++ parts (templates) out of that block.
#include <glib.h>
#include <iconv.h>
#include <mdbtools.h>

namespace {

constexpr int HeaderMaskOffset = 0x18;
constexpr int HeaderMaskLength = 126;
constexpr int VersionOffset = 0x14;
constexpr int CodePageOffset = 0x3C;
constexpr int PasswordOffset = 0x42;
constexpr int Jet3PasswordLength = 20;
constexpr int Jet4PasswordLength = 40;
constexpr int CreationDateOffset = 0x72;
constexpr int HeaderLength = HeaderMaskOffset + HeaderMaskLength;

QString formatError(const QString& path) {
    return QStringLiteral("Nierozpoznany format bazy danych '%1'.").arg(path);
}

// Jet hides part of page 0 under an RC4 key stream with the fixed key 0x6B39DAC7.
const std::array<quint8, HeaderMaskLength>& headerMask() {
    static const std::array<quint8, HeaderMaskLength> mask = [] {
        const quint8 key[4] = {0xC7, 0xDA, 0x39, 0x6B};
        std::array<quint8, 256> s{};
        for (int i = 0; i < 256; ++i)
            s[i] = static_cast<quint8>(i);
        for (int i = 0, j = 0; i < 256; ++i) {
            j = (j + s[i] + key[i % 4]) & 0xFF;
            std::swap(s[i], s[j]);
        }
        std::array<quint8, HeaderMaskLength> out{};
        for (int n = 0, i = 0, j = 0; n < HeaderMaskLength; ++n) {
            i = (i + 1) & 0xFF;
            j = (j + s[i]) & 0xFF;
            std::swap(s[i], s[j]);
            out[n] = s[(s[i] + s[j]) & 0xFF];
        }
        return out;
    }();
    return mask;
}

struct Header {
    AccessFile::Version version = AccessFile::Version::Jet4;
    QString password;
    quint16 codePage = 0;
};

// Reads page 0 and unmasks it; nullopt when the file does not start like a Jet/ACE database.
std::optional<QByteArray> readHeader(const QString& path, bool* unreadable = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (unreadable)
            *unreadable = true;
        return std::nullopt;
    }
    QByteArray page = file.read(HeaderLength);
    if (page.size() < HeaderLength || file.size() < 2048)
        return std::nullopt;
    if (std::memcmp(page.constData(), "\x00\x01\x00\x00", 4) != 0)
        return std::nullopt;
    const bool jet = std::memcmp(page.constData() + 4, "Standard Jet DB\0", 16) == 0;
    const bool ace = std::memcmp(page.constData() + 4, "Standard ACE DB\0", 16) == 0;
    if (!jet && !ace)
        return std::nullopt;
    const auto& mask = headerMask();
    for (int i = 0; i < HeaderMaskLength; ++i)
        page[HeaderMaskOffset + i] = static_cast<char>(page[HeaderMaskOffset + i] ^ mask[i]);
    return page;
}

quint32 le32(const char* p) {
    quint32 v;
    std::memcpy(&v, p, 4);
    return qFromLittleEndian(v);
}

QString decodeCodePage(const QByteArray& bytes, quint16 codePage) {
    const QByteArray name = "CP" + QByteArray::number(codePage ? codePage : 1252);
    iconv_t cd = iconv_open("UTF-8", name.constData());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);
    QByteArray in = bytes;
    QByteArray out(in.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char* outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return QString::fromUtf8(out.constData(), out.size() - static_cast<qsizetype>(outLeft));
}

Header parseHeader(const QString& path) {
    bool unreadable = false;
    const std::optional<QByteArray> page = readHeader(path, &unreadable);
    if (unreadable)
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("Nie można otworzyć pliku '%1'.").arg(path));
    if (!page)
        throw AppError(AppError::ProviderError, formatError(path));
    Header header;
    const quint32 version = le32(page->constData() + VersionOffset);
    // Jet files carry 0 or 1; ACE files a value per Access release, not always a
    // small number (Access 2010 writes 0x0103). Values the reader does not know are
    // refused when it opens the file.
    const bool ace = std::memcmp(page->constData() + 4, "Standard ACE DB", 15) == 0;
    if (version == 0 && !ace)
        header.version = AccessFile::Version::Jet3;
    else if (version == 1 && !ace)
        header.version = AccessFile::Version::Jet4;
    else if (ace && version >= 2)
        header.version = AccessFile::Version::Ace;
    else
        throw AppError(AppError::ProviderError, formatError(path));
    header.codePage = static_cast<quint16>(static_cast<quint8>(page->at(CodePageOffset)) |
                                           (static_cast<quint8>(page->at(CodePageOffset + 1)) << 8));

    if (header.version == AccessFile::Version::Jet3) {
        // Jet 3 keeps the password as plain code-page bytes.
        QByteArray bytes = page->mid(PasswordOffset, Jet3PasswordLength);
        const qsizetype end = bytes.indexOf('\0');
        if (end >= 0)
            bytes.truncate(end);
        header.password = decodeCodePage(bytes, header.codePage);
    } else {
        // Jet 4 masks the UTF-16 password once more with the creation date's whole days.
        double created;
        std::memcpy(&created, page->constData() + CreationDateOffset, 8);
        const qint32 days =
            std::isfinite(created) && std::fabs(created) < 2e9 ? static_cast<qint32>(created) : 0;
        quint8 dateMask[4];
        qToLittleEndian(days, dateMask);
        QString password;
        for (int i = 0; i < Jet4PasswordLength; i += 2) {
            const quint8 lo = static_cast<quint8>(page->at(PasswordOffset + i)) ^ dateMask[i % 4];
            const quint8 hi = static_cast<quint8>(page->at(PasswordOffset + i + 1)) ^ dateMask[(i + 1) % 4];
            const char16_t c = static_cast<char16_t>(lo | (hi << 8));
            if (c == 0)
                break;
            password.append(QChar(c));
        }
        header.password = password;
    }
    return header;
}

struct MdbDeleter {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableDeleter {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableDeleter>;

MdbColumn* columnAt(MdbTableDef* table, unsigned index) {
    return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, index));
}

QDateTime fromOleDate(double value) {
    // Days since 1899-12-30; before it the fraction still counts forward from midnight.
    double whole = std::trunc(value);
    qint64 ms = std::llround(std::fabs(value - whole) * 86400000.0);
    qint64 days = static_cast<qint64>(whole);
    if (ms >= 86400000) {
        ms -= 86400000;
        ++days;
    }
    return QDateTime(QDate(1899, 12, 30).addDays(days), QTime(0, 0).addMSecs(static_cast<int>(ms)), Qt::UTC);
}

} // namespace

struct AccessFile::Impl {
    QString path;
    Version version = Version::Jet4;
    std::unique_ptr<MdbHandle, MdbDeleter> mdb;
    mutable std::vector<char> textBuffer;

    MdbCatalogEntry* entry(const QString& name) const {
        for (unsigned i = 0; i < mdb->num_catalog; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (e->object_type == MDB_TABLE && mdb_is_user_table(e) &&
                QString::fromUtf8(e->object_name).compare(name, Qt::CaseInsensitive) == 0)
                return e;
        }
        return nullptr;
    }

    TablePtr openTable(const QString& name) const {
        MdbCatalogEntry* e = entry(name);
        if (!e)
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Tabela '%1' nie istnieje w pliku '%2'.").arg(name, path));
        TablePtr table(mdb_read_table(e));
        if (!table || !mdb_read_columns(table.get()))
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Nie można odczytać tabeli '%1' z pliku '%2'.").arg(name, path));
        return table;
    }

    // Text and memo bytes are UTF-16 (possibly "compressed") in Jet 4 and ACE and
    // code-page bytes in Jet 3; libmdb's converter is set to UTF-8 in open().
    QString text(const char* bytes, size_t length) const {
        if (length == 0)
            return QStringLiteral(""); // an empty text, not Null
        textBuffer.resize(length * 3 + 8);
        const int n = mdb_unicode2ascii(mdb.get(), bytes, length, textBuffer.data(), textBuffer.size());
        return QString::fromUtf8(textBuffer.data(), n);
    }

    // A memo or OLE value: a 12-byte header in the row that holds the data inline or
    // points to one or a chain of long-value pages.
    QByteArray longValue(const char* field, int size) const {
        if (size < MDB_MEMO_OVERHEAD)
            return QByteArray();
        const quint32 header = le32(field);
        const quint32 length = header & 0x3FFFFFFF;
        if (header & 0x80000000)
            return QByteArray(field + MDB_MEMO_OVERHEAD, size - MDB_MEMO_OVERHEAD).left(length);
        QByteArray out;
        qint32 pgRow = static_cast<qint32>(le32(field + 4));
        void* buf = nullptr;
        int start = 0;
        size_t len = 0;
        if (header & 0x40000000) {
            if (mdb_find_pg_row(mdb.get(), pgRow, &buf, &start, &len) != 0)
                throw AppError(AppError::ProviderError,
                               QStringLiteral("Uszkodzone pole długie w pliku '%1'.").arg(path));
            out = QByteArray(static_cast<const char*>(buf) + start, static_cast<qsizetype>(len));
        } else if ((header & 0xC0000000) == 0) {
            int guard = 0;
            while ((pgRow >> 8) != 0 && out.size() < static_cast<qsizetype>(length)) {
                if (mdb_find_pg_row(mdb.get(), pgRow, &buf, &start, &len) != 0 || len < 4 ||
                    ++guard > 1000000)
                    throw AppError(AppError::ProviderError,
                                   QStringLiteral("Uszkodzone pole długie w pliku '%1'.").arg(path));
                const char* row = static_cast<const char*>(buf) + start;
                out.append(row + 4, static_cast<qsizetype>(len) - 4);
                pgRow = static_cast<qint32>(le32(row));
            }
        }
        return out.left(length);
    }

    QVariant value(MdbColumn* col, const MdbField& field) const {
        if (col->col_type == MDB_BOOL)
            return QVariant(!field.is_null); // Yes/No lives in the null mask: set means Yes
        if (field.is_null)
            return QVariant();
        const char* p = static_cast<const char*>(field.value);
        switch (col->col_type) {
        case MDB_BYTE:
            return QVariant(static_cast<int>(static_cast<quint8>(p[0])));
        case MDB_INT:
            return QVariant(static_cast<int>(static_cast<qint16>(mdb_get_int16(field.value, 0))));
        case MDB_LONGINT:
        case MDB_COMPLEX:
            return QVariant(static_cast<int>(le32(p)));
        case MDB_MONEY: {
            qint64 units;
            std::memcpy(&units, p, 8);
            return QVariant(static_cast<double>(qFromLittleEndian(units)) / 10000.0);
        }
        case MDB_FLOAT:
            return QVariant(static_cast<double>(mdb_get_single(field.value, 0)));
        case MDB_DOUBLE:
            return QVariant(mdb_get_double(field.value, 0));
        case MDB_DATETIME:
            return QVariant(fromOleDate(mdb_get_double(field.value, 0)));
        case MDB_TEXT:
            return QVariant(text(p, static_cast<size_t>(field.siz)));
        case MDB_MEMO: {
            const QByteArray bytes = longValue(p, field.siz);
            return QVariant(text(bytes.constData(), static_cast<size_t>(bytes.size())));
        }
        case MDB_OLE:
            return QVariant(longValue(p, field.siz));
        case MDB_BINARY:
            return QVariant(QByteArray(p, field.siz));
        case MDB_REPID: {
            if (field.siz < 16)
                return QVariant();
            const auto* b = reinterpret_cast<const uchar*>(p);
            const QUuid uuid(le32(p), static_cast<ushort>(b[4] | (b[5] << 8)),
                             static_cast<ushort>(b[6] | (b[7] << 8)), b[8], b[9], b[10], b[11], b[12], b[13],
                             b[14], b[15]);
            return QVariant(uuid.toString(QUuid::WithBraces).toUpper());
        }
        case MDB_NUMERIC: {
            char* s = mdb_numeric_to_string(mdb.get(), field.start, col->col_scale, col->col_prec);
            const double v = QString::fromUtf8(s).toDouble();
            g_free(s);
            return QVariant(v);
        }
        default:
            return QVariant();
        }
    }

    AccessColumn describe(MdbColumn* col) const {
        AccessColumn c;
        c.name = QString::fromUtf8(col->name);
        switch (col->col_type) {
        case MDB_BOOL:
            c.type = AdoType::Boolean;
            c.definedSize = 2;
            break;
        case MDB_BYTE:
            c.type = AdoType::UnsignedTinyInt;
            c.definedSize = 1;
            break;
        case MDB_INT:
            c.type = AdoType::SmallInt;
            c.definedSize = 2;
            break;
        case MDB_LONGINT:
        case MDB_COMPLEX:
            c.type = AdoType::Integer;
            c.definedSize = 4;
            break;
        case MDB_MONEY:
            c.type = AdoType::Currency;
            c.definedSize = 8;
            break;
        case MDB_FLOAT:
            c.type = AdoType::Single;
            c.definedSize = 4;
            break;
        case MDB_DOUBLE:
            c.type = AdoType::Double;
            c.definedSize = 8;
            break;
        case MDB_DATETIME:
            c.type = AdoType::Date;
            c.definedSize = 8;
            break;
        case MDB_BINARY:
            c.type = AdoType::Binary;
            c.definedSize = col->col_size;
            break;
        case MDB_TEXT:
            // Jet 4 and ACE give the size in bytes of UCS-2; ADO reports characters.
            c.type = AdoType::VarWChar;
            c.definedSize = version == Version::Jet3 ? col->col_size : col->col_size / 2;
            break;
        case MDB_MEMO:
            c.type = AdoType::LongVarWChar;
            c.definedSize = 536870910;
            break;
        case MDB_OLE:
            c.type = AdoType::LongVarBinary;
            c.definedSize = 1073741823;
            break;
        case MDB_REPID:
            c.type = AdoType::Guid;
            c.definedSize = 16;
            break;
        case MDB_NUMERIC:
            c.type = AdoType::Numeric;
            c.definedSize = 19;
            break;
        default:
            c.type = AdoType::Empty;
            c.definedSize = 0;
            break;
        }
        return c;
    }

    // libmdb picks the output charset from the MDBICONV variable; texts must come out as UTF-8.
    void useUtf8() {
        mdb_iconv_close(mdb.get());
        // UTF-16, not UCS-2: characters beyond the BMP are stored as surrogate pairs.
        QByteArray source = "UTF-16LE";
        if (version == Version::Jet3)
            source = "CP" + QByteArray::number(mdb->f->code_page ? mdb->f->code_page : 1252);
        mdb->iconv_in = iconv_open("UTF-8", source.constData());
        mdb->iconv_out = iconv_open(source.constData(), "UTF-8");
        if (mdb->iconv_in == reinterpret_cast<iconv_t>(-1) ||
            mdb->iconv_out == reinterpret_cast<iconv_t>(-1)) {
            // Unknown code page: fall back to the common Western one rather than fail.
            if (mdb->iconv_in != reinterpret_cast<iconv_t>(-1))
                iconv_close(mdb->iconv_in);
            if (mdb->iconv_out != reinterpret_cast<iconv_t>(-1))
                iconv_close(mdb->iconv_out);
            mdb->iconv_in = iconv_open("UTF-8", "CP1252");
            mdb->iconv_out = iconv_open("CP1252", "UTF-8");
        }
    }
};

bool AccessFile::looksLikeAccessFile(const QString& path) {
    return readHeader(path).has_value();
}

AccessFile::Version AccessFile::checkPassword(const QString& path, const QString& password) {
    const Header header = parseHeader(path);
    if (header.version == Version::Ace && !header.password.isEmpty())
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Plik '%1' jest zaszyfrowany hasłem (format Access 2007 lub nowszy); "
                                      "takiego pliku nie można odczytać.")
                           .arg(path));
    if (!header.password.isEmpty() && header.password != password)
        throw AppError(WrongPasswordError, QStringLiteral("Nieprawidłowe hasło."));
    return header.version;
}

AccessFile AccessFile::open(const QString& path, const QString& password) {
    const Version version = checkPassword(path, password);

    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->version = version;
    impl->mdb.reset(mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS));
    if (!impl->mdb)
        throw AppError(AppError::ProviderError, formatError(path));
    impl->useUtf8();
    if (!mdb_read_catalog(impl->mdb.get(), MDB_TABLE))
        throw AppError(AppError::ProviderError, formatError(path));
    return AccessFile(std::move(impl));
}

AccessFile::AccessFile(std::unique_ptr<Impl> impl) : d(std::move(impl)) {}
AccessFile::AccessFile(AccessFile&& other) noexcept = default;
AccessFile& AccessFile::operator=(AccessFile&& other) noexcept = default;
AccessFile::~AccessFile() = default;

AccessFile::Version AccessFile::version() const {
    return d->version;
}

QStringList AccessFile::tableNames() const {
    QStringList names;
    for (unsigned i = 0; i < d->mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(d->mdb->catalog, i));
        if (e->object_type == MDB_TABLE && mdb_is_user_table(e))
            names << QString::fromUtf8(e->object_name);
    }
    return names;
}

QString AccessFile::findTable(const QString& name) const {
    MdbCatalogEntry* e = d->entry(name);
    return e ? QString::fromUtf8(e->object_name) : QString();
}

QVector<AccessColumn> AccessFile::columns(const QString& table) const {
    TablePtr t = d->openTable(table);
    QVector<AccessColumn> out;
    out.reserve(static_cast<qsizetype>(t->num_cols));
    for (unsigned i = 0; i < t->num_cols; ++i)
        out << d->describe(columnAt(t.get(), i));
    return out;
}

void AccessFile::forEachRow(const QString& table,
                            const std::function<bool(const QVector<QVariant>&)>& visit) const {
    TablePtr t = d->openTable(table);
    MdbHandle* mdb = d->mdb.get();
    mdb_rewind_table(t.get());
    std::vector<MdbField> fields(std::max<unsigned>(t->num_cols, MDB_MAX_COLS));
    QVector<QVariant> row(static_cast<qsizetype>(t->num_cols));
    // The reader ends a table at its first unreadable page as if the table ended
    // there, so a short or damaged file would give part of the rows; the table's
    // own row count tells the two apart.
    qint64 read = 0;
    while (mdb_fetch_row(t.get())) {
        ++read;
        // mdb_fetch_row leaves the row's page in pg_buf; crack it again for the null flags
        // and raw values, which its string binding does not keep apart.
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, static_cast<int>(t->cur_row) - 1, &start, &size) != 0)
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Nie można odczytać wiersza tabeli '%1'.").arg(table));
        const int count = mdb_crack_row(t.get(), start, size, fields.data());
        if (count < 0)
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Nie można odczytać wiersza tabeli '%1'.").arg(table));
        for (unsigned i = 0; i < t->num_cols; ++i)
            row[i] = d->value(columnAt(t.get(), i), fields[i]);
        if (!visit(row))
            return;
    }
    if (read != static_cast<qint64>(t->num_rows))
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Plik '%1' jest uszkodzony lub niepełny: liczba wierszy tabeli '%2' "
                                      "to %3, a odczytano %4.")
                           .arg(d->path, table)
                           .arg(t->num_rows)
                           .arg(read));
}

QVector<QVector<QVariant>> AccessFile::readRows(const QString& table) const {
    QVector<QVector<QVariant>> rows;
    forEachRow(table, [&](const QVector<QVariant>& row) {
        rows.append(row);
        return true;
    });
    return rows;
}
