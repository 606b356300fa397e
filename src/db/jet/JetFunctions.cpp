#include "db/jet/JetFunctions.h"

#include "db/AppError.h"
#include "db/jet/JetLike.h"
#include "db/native/NativeSchema.h"
#include "db/text/PolishText.h"

#include <sqlite3.h>

#include <cmath>

namespace {

QString argText(sqlite3_value* v) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(text, sqlite3_value_bytes(v));
}

void resultText(sqlite3_context* ctx, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    return false;
}

void invalidCall(sqlite3_context* ctx, const char* function) {
    const QByteArray text =
        QStringLiteral("Niepoprawny argument funkcji %1.").arg(QLatin1String(function)).toUtf8();
    sqlite3_result_error(ctx, text.constData(), int(text.size()));
}

// like(pattern, text): the pattern is compiled once per statement and kept as
// auxiliary data of the constant argument.
void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    auto* like = static_cast<JetLike*>(sqlite3_get_auxdata(ctx, 0));
    if (!like) {
        try {
            like = new JetLike(argText(argv[0]));
        } catch (const AppError& e) {
            const QByteArray text = e.description().toUtf8();
            return sqlite3_result_error(ctx, text.constData(), int(text.size()));
        }
        sqlite3_set_auxdata(ctx, 0, like, [](void* p) { delete static_cast<JetLike*>(p); });
        // set_auxdata may have freed it already (non-constant pattern): fetch it back.
        auto* kept = static_cast<JetLike*>(sqlite3_get_auxdata(ctx, 0));
        if (!kept) {
            JetLike once(argText(argv[0]));
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
            return sqlite3_result_int(ctx, once.matches(text, sqlite3_value_bytes(argv[1])));
        }
        like = kept;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    sqlite3_result_int(ctx, like->matches(text, sqlite3_value_bytes(argv[1])));
}

void lenFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const auto* text = sqlite3_value_text(argv[0]);
    sqlite3_result_int64(ctx, PolishText::utf8Length(text, sqlite3_value_bytes(argv[0])));
}

void upperFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    resultText(ctx, argText(argv[0]).toUpper());
}

void lowerFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    resultText(ctx, argText(argv[0]).toLower());
}

void leftFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0)
        return invalidCall(ctx, "LEFT");
    resultText(ctx, argText(argv[0]).left(n));
}

void rightFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0)
        return invalidCall(ctx, "RIGHT");
    resultText(ctx, argText(argv[0]).right(n));
}

void midFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 start = sqlite3_value_int64(argv[1]);
    const qint64 length = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
    if (start < 1 || (argc > 2 && length < 0))
        return invalidCall(ctx, "MID");
    resultText(ctx, argText(argv[0]).mid(start - 1, length));
}

// INSTR([start,] text, sought[, compare]): 1-based position, 0 when absent.
// Compares as text (case-insensitive) unless compare is 0.
void instrFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    int first = 0;
    qint64 start = 1;
    if (argc >= 3) {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
            return sqlite3_result_null(ctx);
        start = sqlite3_value_int64(argv[0]);
        first = 1;
        if (start < 1)
            return invalidCall(ctx, "INSTR");
    }
    if (sqlite3_value_type(argv[first]) == SQLITE_NULL || sqlite3_value_type(argv[first + 1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const Qt::CaseSensitivity cs =
        (argc == 4 && sqlite3_value_int(argv[3]) == 0) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString text = argText(argv[first]);
    const QString sought = argText(argv[first + 1]);
    if (start > text.size() + 1)
        return sqlite3_result_int(ctx, 0);
    sqlite3_result_int64(ctx, text.indexOf(sought, start - 1, cs) + 1);
}

// JETCAT(a, b, ...): the "&" operator. Null counts as an empty text; only
// when every operand is Null is the result Null.
void concatFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    QByteArray joined;
    bool any = false;
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            continue;
        any = true;
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[i]));
        joined.append(text, sqlite3_value_bytes(argv[i]));
    }
    if (!any)
        return sqlite3_result_null(ctx);
    sqlite3_result_text(ctx, joined.constData(), int(joined.size()), SQLITE_TRANSIENT);
}

void nzFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL)
        return sqlite3_result_value(ctx, argv[0]);
    if (argc > 1)
        return sqlite3_result_value(ctx, argv[1]);
    sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
}

void cstrFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    resultText(ctx, argText(argv[0]));
}

// CLNG/CINT round half to even, as the original conversion functions do.
void clngFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const double value = std::nearbyint(sqlite3_value_double(argv[0]));
    if (value < -2147483648.0 || value > 2147483647.0)
        return invalidCall(ctx, "CLNG");
    sqlite3_result_int64(ctx, qint64(value));
}

void cintFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const double value = std::nearbyint(sqlite3_value_double(argv[0]));
    if (value < -32768.0 || value > 32767.0)
        return invalidCall(ctx, "CINT");
    sqlite3_result_int64(ctx, qint64(value));
}

// VAL: the number at the start of a text, 0 when there is none.
void valFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    QString text = argText(argv[0]);
    text.remove(QLatin1Char(' '));
    qsizetype end = 0;
    if (end < text.size() && (text[end] == QLatin1Char('-') || text[end] == QLatin1Char('+')))
        ++end;
    while (end < text.size() && (text[end].isDigit() || text[end] == QLatin1Char('.')))
        ++end;
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);
    sqlite3_result_double(ctx, ok ? value : 0.0);
}

void strFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString text = argText(argv[0]);
    // Positive numbers get a leading blank for the sign.
    resultText(ctx, sqlite3_value_double(argv[0]) >= 0 ? QLatin1Char(' ') + text : text);
}

void chrFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const qint64 code = sqlite3_value_int64(argv[0]);
    if (code < 0 || code > 0xFFFF)
        return invalidCall(ctx, "CHR");
    resultText(ctx, QString(QChar(char16_t(code))));
}

void ascFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString text = argText(argv[0]);
    if (text.isEmpty())
        return invalidCall(ctx, "ASC");
    sqlite3_result_int(ctx, text.at(0).unicode());
}

void spaceFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[0]);
    if (n < 0 || n > 1000000)
        return invalidCall(ctx, "SPACE");
    resultText(ctx, QString(n, QLatin1Char(' ')));
}

void strReverseFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    QString text = argText(argv[0]);
    std::reverse(text.begin(), text.end());
    resultText(ctx, text);
}

// FIRST / LAST: the value of the first or last row of a group.
void firstStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto** kept = static_cast<sqlite3_value**>(sqlite3_aggregate_context(ctx, sizeof(sqlite3_value*)));
    if (kept && !*kept)
        *kept = sqlite3_value_dup(argv[0]);
}

void lastStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    auto** kept = static_cast<sqlite3_value**>(sqlite3_aggregate_context(ctx, sizeof(sqlite3_value*)));
    if (!kept)
        return;
    sqlite3_value_free(*kept);
    *kept = sqlite3_value_dup(argv[0]);
}

void keptFinal(sqlite3_context* ctx) {
    auto** kept = static_cast<sqlite3_value**>(sqlite3_aggregate_context(ctx, 0));
    if (!kept || !*kept)
        return sqlite3_result_null(ctx);
    sqlite3_result_value(ctx, *kept);
    sqlite3_value_free(*kept);
    *kept = nullptr;
}

struct ScalarFunction {
    const char* name;
    int argc;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
};

const ScalarFunction kScalars[] = {
    {"like", 2, likeFunction},      {"LEN", 1, lenFunction},        {"UCASE", 1, upperFunction},
    {"LCASE", 1, lowerFunction},    {"upper", 1, upperFunction},    {"lower", 1, lowerFunction},
    {"JETLEFT", 2, leftFunction},   {"JETRIGHT", 2, rightFunction}, {"MID", 2, midFunction},
    {"MID", 3, midFunction},        {"INSTR", 2, instrFunction},    {"INSTR", 3, instrFunction},
    {"INSTR", 4, instrFunction},    {"NZ", 1, nzFunction},          {"NZ", 2, nzFunction},
    {"CSTR", 1, cstrFunction},      {"CLNG", 1, clngFunction},      {"CINT", 1, cintFunction},
    {"VAL", 1, valFunction},        {"STR", 1, strFunction},        {"CHR", 1, chrFunction},
    {"ASC", 1, ascFunction},        {"SPACE", 1, spaceFunction},    {"STRREVERSE", 1, strReverseFunction},
    {"JETCAT", -1, concatFunction},
};

} // namespace

void JetFunctions::registerAll(sqlite3* db) {
    NativeSchema::registerCollation(db);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    int rc = SQLITE_OK;
    for (const ScalarFunction& f : kScalars)
        if (rc == SQLITE_OK)
            rc = sqlite3_create_function_v2(db, f.name, f.argc, flags, nullptr, f.function, nullptr, nullptr,
                                            nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "FIRST", 1, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr, nullptr,
                                        firstStep, keptFinal, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function_v2(db, "LAST", 1, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr, nullptr,
                                        lastStep, keptFinal, nullptr);
    if (rc != SQLITE_OK)
        throw AppError(AppError::ProviderError, QStringLiteral("Nie można zarejestrować funkcji SQL: %1")
                                                    .arg(QString::fromUtf8(sqlite3_errmsg(db))));
}
