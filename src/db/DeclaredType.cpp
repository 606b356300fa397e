#include "db/DeclaredType.h"

#include "db/Recordset.h"

#include <QRegularExpression>

namespace {

// Provider type codes beyond the three every caller knows.
enum : int {
    SmallInt = 2,
    Single = 4,
    Double = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,
    TinyInt = 17,
    BigInt = 20,
    Guid = 72,
    Binary = 128,
    WChar = 130,
    Numeric = 131,
    VarBinary = 204,
    LongVarBinary = 205,
};

} // namespace

DeclaredType::Field DeclaredType::toField(const QString& declared) {
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*([A-Za-z_][A-Za-z_0-9 ]*?)\s*(?:\(\s*(\d+)\s*(?:,\s*\d+\s*)?\))?\s*$)"));
    const QRegularExpressionMatch m = shape.match(declared);
    if (declared.trimmed().isEmpty())
        return {};
    const QString base = m.hasMatch() ? m.captured(1).toUpper() : declared.toUpper();
    const bool sized = m.hasMatch() && m.hasCaptured(2) && !m.captured(2).isEmpty();
    const int size = sized ? m.captured(2).toInt() : 0;

    if (base == QLatin1String("INTEGER") || base == QLatin1String("INT") || base == QLatin1String("LONG") ||
        base == QLatin1String("COUNTER") || base == QLatin1String("AUTOINCREMENT") ||
        base == QLatin1String("INT4"))
        return {FieldType::Integer, 4};
    if (base == QLatin1String("SMALLINT") || base == QLatin1String("SHORT") || base == QLatin1String("INT2"))
        return {SmallInt, 2};
    if (base == QLatin1String("TINYINT") || base == QLatin1String("BYTE") ||
        base == QLatin1String("INTEGER1"))
        return {TinyInt, 1};
    if (base == QLatin1String("BIGINT") || base == QLatin1String("INT8"))
        return {BigInt, 8};
    if (base == QLatin1String("VARCHAR") || base == QLatin1String("NVARCHAR") ||
        base == QLatin1String("CHARACTER VARYING") || base == QLatin1String("VARYING CHARACTER") ||
        base == QLatin1String("NATIONAL VARCHAR") || base == QLatin1String("STRING"))
        return {FieldType::VarWChar, sized ? size : 255};
    if (base == QLatin1String("TEXT") || base == QLatin1String("NTEXT"))
        return sized ? Field{FieldType::VarWChar, size} : Field{FieldType::LongVarWChar, MemoSize};
    if (base == QLatin1String("CHAR") || base == QLatin1String("NCHAR") || base == QLatin1String("CHARACTER"))
        return {WChar, sized ? size : 255};
    if (base == QLatin1String("MEMO") || base == QLatin1String("LONGTEXT") ||
        base == QLatin1String("LONGCHAR") || base == QLatin1String("NOTE") || base == QLatin1String("CLOB"))
        return {FieldType::LongVarWChar, MemoSize};
    if (base == QLatin1String("REAL") || base == QLatin1String("DOUBLE") || base == QLatin1String("FLOAT") ||
        base == QLatin1String("FLOAT8") || base == QLatin1String("DOUBLE PRECISION") ||
        base == QLatin1String("NUMBER"))
        return {Double, 8};
    if (base == QLatin1String("SINGLE") || base == QLatin1String("FLOAT4") ||
        base == QLatin1String("IEEESINGLE"))
        return {Single, 4};
    if (base == QLatin1String("CURRENCY") || base == QLatin1String("MONEY"))
        return {Currency, 8};
    if (base == QLatin1String("DATETIME") || base == QLatin1String("DATE") || base == QLatin1String("TIME") ||
        base == QLatin1String("TIMESTAMP"))
        return {Date, 8};
    if (base == QLatin1String("BIT") || base == QLatin1String("BOOLEAN") ||
        base == QLatin1String("LOGICAL") || base == QLatin1String("YESNO"))
        return {Boolean, 2};
    if (base == QLatin1String("GUID") || base == QLatin1String("UNIQUEIDENTIFIER"))
        return {Guid, 16};
    if (base == QLatin1String("DECIMAL") || base == QLatin1String("NUMERIC") || base == QLatin1String("DEC"))
        return {Numeric, 19};
    if (base == QLatin1String("BINARY"))
        return {Binary, sized ? size : 510};
    if (base == QLatin1String("VARBINARY"))
        return {VarBinary, sized ? size : 510};
    if (base == QLatin1String("BLOB") || base == QLatin1String("LONGBINARY") ||
        base == QLatin1String("IMAGE") || base == QLatin1String("OLEOBJECT") ||
        base == QLatin1String("GENERAL"))
        return {LongVarBinary, LongBinarySize};

    // Anything else by the engine's own affinity rules.
    if (base.contains(QLatin1String("INT")))
        return {FieldType::Integer, 4};
    if (base.contains(QLatin1String("CHAR")) || base.contains(QLatin1String("CLOB")) ||
        base.contains(QLatin1String("TEXT")))
        return {FieldType::VarWChar, sized ? size : 255};
    if (base.contains(QLatin1String("REAL")) || base.contains(QLatin1String("FLOA")) ||
        base.contains(QLatin1String("DOUB")))
        return {Double, 8};
    if (base.contains(QLatin1String("BLOB")))
        return {LongVarBinary, LongBinarySize};
    return {FieldType::VarWChar, 255};
}

QString DeclaredType::fromField(int type, int definedSize) {
    switch (type) {
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case SmallInt:
        return QStringLiteral("SMALLINT");
    case TinyInt:
        return QStringLiteral("TINYINT");
    case BigInt:
        return QStringLiteral("BIGINT");
    case FieldType::VarWChar:
        return QStringLiteral("VARCHAR(%1)").arg(definedSize);
    case WChar:
        return QStringLiteral("CHAR(%1)").arg(definedSize);
    case FieldType::LongVarWChar:
        return QStringLiteral("LONGTEXT");
    case Double:
        return QStringLiteral("DOUBLE");
    case Single:
        return QStringLiteral("FLOAT4");
    case Currency:
        return QStringLiteral("CURRENCY");
    case Date:
        return QStringLiteral("DATETIME");
    case Boolean:
        return QStringLiteral("BIT");
    case Guid:
        return QStringLiteral("GUID");
    case Numeric:
        return QStringLiteral("DECIMAL");
    case Binary:
        return QStringLiteral("BINARY(%1)").arg(definedSize);
    case VarBinary:
        return QStringLiteral("VARBINARY(%1)").arg(definedSize);
    default:
        return QStringLiteral("BLOB");
    }
}
