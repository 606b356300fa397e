#include "db/jet/JetFunctions.h"

#include "db/AppError.h"
#include "db/ProviderErrors.h"
#include "db/jet/JetLike.h"
#include "db/native/NativeSchema.h"
#include "db/text/PolishText.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

#include <cfenv>
#include <cmath>
#include <optional>

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

void failWith(sqlite3_context* ctx, const QString& description) {
    const QByteArray text = ProviderErrors::ownText(description).toUtf8();
    sqlite3_result_error(ctx, text.constData(), int(text.size()));
}

void invalidCall(sqlite3_context* ctx, const char* function) {
    failWith(ctx, QStringLiteral("Niepoprawny argument funkcji %1.").arg(QLatin1String(function)));
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
            return failWith(ctx, e.description());
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

// LEFT and RIGHT: the first or the last n characters; a negative n is refused.
template <bool FromLeft> void edgeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0)
        return invalidCall(ctx, FromLeft ? "LEFT" : "RIGHT");
    const QString text = argText(argv[0]);
    resultText(ctx, FromLeft ? text.left(n) : text.right(n));
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

// ---- arithmetic of the dialect ----

void typeMismatch(sqlite3_context* ctx) {
    failWith(ctx, QStringLiteral("Niezgodność typów danych w wyrażeniu."));
}

void divisionByZero(sqlite3_context* ctx) {
    failWith(ctx, QStringLiteral("Dzielenie przez zero."));
}

// A number, or a text that reads as one; nothing for any other text.
std::optional<double> numberOf(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_value_double(v);
    case SQLITE_TEXT: {
        bool ok = false;
        const double value = argText(v).trimmed().toDouble(&ok);
        if (ok)
            return value;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

bool isWhole(sqlite3_value* v) {
    return sqlite3_value_type(v) == SQLITE_INTEGER;
}

// A whole result as an integer when it fits, as a double otherwise.
void resultNumber(sqlite3_context* ctx, double value, bool whole) {
    if (whole && std::isfinite(value) && value >= -9.2e18 && value <= 9.2e18 && value == std::trunc(value))
        return sqlite3_result_int64(ctx, qint64(value));
    if (!std::isfinite(value))
        return failWith(ctx, QStringLiteral("Przepełnienie: wynik jest poza zakresem liczb."));
    sqlite3_result_double(ctx, value);
}

// Reads both operands as numbers; false (with the error set) when it cannot.
bool twoNumbers(sqlite3_context* ctx, sqlite3_value** argv, double& a, double& b) {
    const std::optional<double> x = numberOf(argv[0]);
    const std::optional<double> y = numberOf(argv[1]);
    if (!x || !y) {
        typeMismatch(ctx);
        return false;
    }
    a = *x;
    b = *y;
    return true;
}

// "/": always a floating-point quotient.
void divideFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    double a = 0, b = 0;
    if (!twoNumbers(ctx, argv, a, b))
        return;
    if (b == 0)
        return divisionByZero(ctx);
    resultNumber(ctx, a / b, false);
}

// "\" and Mod: both operands rounded to whole numbers (half to even) first.
template <bool Remainder> void wholeDivideFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    double a = 0, b = 0;
    if (!twoNumbers(ctx, argv, a, b))
        return;
    a = std::nearbyint(a);
    b = std::nearbyint(b);
    if (b == 0)
        return divisionByZero(ctx);
    resultNumber(ctx, Remainder ? std::fmod(a, b) : std::trunc(a / b), true);
}

void powerFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    double a = 0, b = 0;
    if (!twoNumbers(ctx, argv, a, b))
        return;
    const double value = std::pow(a, b);
    if (std::isnan(value))
        return invalidCall(ctx, "^");
    resultNumber(ctx, value, isWhole(argv[0]) && isWhole(argv[1]) && b >= 0);
}

// "+": joins two texts, adds anything else; Null with anything is Null.
void addFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && sqlite3_value_type(argv[1]) == SQLITE_TEXT)
        return resultText(ctx, argText(argv[0]) + argText(argv[1]));
    double a = 0, b = 0;
    if (!twoNumbers(ctx, argv, a, b))
        return;
    resultNumber(ctx, a + b, isWhole(argv[0]) && isWhole(argv[1]));
}

template <int Op> void arithmeticFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    double a = 0, b = 0;
    if (!twoNumbers(ctx, argv, a, b))
        return;
    resultNumber(ctx, Op == 0 ? a - b : a * b, isWhole(argv[0]) && isWhole(argv[1]));
}

void cdblFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::optional<double> value = numberOf(argv[0]);
    if (!value)
        return typeMismatch(ctx);
    sqlite3_result_double(ctx, *value);
}

// INT rounds down, FIX towards zero, ABS drops the sign; a whole input stays whole.
template <double (*Op)(double)> void roundingFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::optional<double> value = numberOf(argv[0]);
    if (!value)
        return typeMismatch(ctx);
    resultNumber(ctx, Op(*value), sqlite3_value_type(argv[0]) != SQLITE_FLOAT);
}

double floorOf(double v) {
    return std::floor(v);
}
double truncOf(double v) {
    return std::trunc(v);
}
double absOf(double v) {
    return std::fabs(v);
}

// ROUND(x[, digits]): half to even, as the dialect rounds.
void roundFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const std::optional<double> value = numberOf(argv[0]);
    if (!value)
        return typeMismatch(ctx);
    const qint64 digits = argc > 1 ? sqlite3_value_int64(argv[1]) : 0;
    if (digits < 0 || digits > 15)
        return invalidCall(ctx, "ROUND");
    const double scale = std::pow(10.0, double(digits));
    // The scaled value is read back through its shortest text, so 2.675 * 100 is 267.5.
    const double scaled = QString::number(*value * scale, 'g', 15).toDouble();
    resultNumber(ctx, std::nearbyint(scaled) / scale, sqlite3_value_type(argv[0]) != SQLITE_FLOAT);
}

// STRING(n, character): n times the character (or the character of that code).
void stringFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const qint64 n = sqlite3_value_int64(argv[0]);
    QChar c;
    if (sqlite3_value_type(argv[1]) == SQLITE_TEXT) {
        const QString text = argText(argv[1]);
        if (text.isEmpty())
            return invalidCall(ctx, "STRING");
        c = text.at(0);
    } else {
        const qint64 code = sqlite3_value_int64(argv[1]);
        if (code < 0 || code > 0xFFFF)
            return invalidCall(ctx, "STRING");
        c = QChar(char16_t(code));
    }
    if (n < 0 || n > 1000000)
        return invalidCall(ctx, "STRING");
    resultText(ctx, QString(n, c));
}

// INSTRREV(text, sought[, start]): the last position, 0 when absent.
void instrRevFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv))
        return sqlite3_result_null(ctx);
    const QString text = argText(argv[0]);
    const QString sought = argText(argv[1]);
    const qint64 start = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
    if (start == 0 || start < -1)
        return invalidCall(ctx, "INSTRREV");
    if (start > text.size())
        return sqlite3_result_int(ctx, 0);
    const qsizetype from = start < 0 ? -1 : start - sought.size();
    if (start > 0 && from < 0)
        return sqlite3_result_int(ctx, 0);
    sqlite3_result_int64(ctx, text.lastIndexOf(sought, from, Qt::CaseInsensitive) + 1);
}

// ---- dates: the engine keeps them as "yyyy-MM-dd[ HH:mm:ss]" texts ----

std::optional<QDateTime> dateOf(sqlite3_value* v) {
    const QString text = argText(v).trimmed();
    for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime value = QDateTime::fromString(text, QLatin1String(format));
        if (value.isValid())
            return value;
    }
    return std::nullopt;
}

void dateFunction(sqlite3_context* ctx, int, sqlite3_value**) {
    resultText(ctx, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void nowFunction(sqlite3_context* ctx, int, sqlite3_value**) {
    resultText(ctx, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

template <int Part> void datePartFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const std::optional<QDateTime> value = dateOf(argv[0]);
    if (!value)
        return typeMismatch(ctx);
    const QDate date = value->date();
    sqlite3_result_int(ctx, Part == 0 ? date.year() : Part == 1 ? date.month() : date.day());
}

// FORMAT(value[, pattern]): the named and the common custom patterns for
// numbers ("0.00", "#,##0", "0%", "Fixed", "Standard", "Percent") and dates
// ("yyyy-mm-dd", "dd.mm.yyyy", "hh:nn", "Short Date", "Long Date"), with
// the Polish decimal comma and month names.
QString formatDate(const QDateTime& value, QString pattern) {
    const QLocale polish(QLocale::Polish, QLocale::Poland);
    if (pattern.compare(QLatin1String("Short Date"), Qt::CaseInsensitive) == 0)
        pattern = QStringLiteral("yyyy-mm-dd");
    else if (pattern.compare(QLatin1String("Long Date"), Qt::CaseInsensitive) == 0)
        pattern = QStringLiteral("d mmmm yyyy");
    else if (pattern.compare(QLatin1String("Short Time"), Qt::CaseInsensitive) == 0)
        pattern = QStringLiteral("hh:nn");
    else if (pattern.compare(QLatin1String("Long Time"), Qt::CaseInsensitive) == 0)
        pattern = QStringLiteral("hh:nn:ss");
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i).toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern.at(i + run).toLower() == c)
            ++run;
        const QDate d = value.date();
        const QTime t = value.time();
        const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
        if (c == QLatin1Char('y'))
            out += run >= 4 ? QString::number(d.year()) : two(d.year() % 100);
        else if (c == QLatin1Char('m') && afterHour)
            out += run >= 2 ? two(t.minute()) : QString::number(t.minute());
        else if (c == QLatin1Char('m'))
            out += run >= 4   ? polish.monthName(d.month(), QLocale::LongFormat)
                   : run == 3 ? polish.monthName(d.month(), QLocale::ShortFormat)
                   : run == 2 ? two(d.month())
                              : QString::number(d.month());
        else if (c == QLatin1Char('d'))
            out += run >= 4   ? polish.dayName(d.dayOfWeek(), QLocale::LongFormat)
                   : run == 3 ? polish.dayName(d.dayOfWeek(), QLocale::ShortFormat)
                   : run == 2 ? two(d.day())
                              : QString::number(d.day());
        else if (c == QLatin1Char('h'))
            out += run >= 2 ? two(t.hour()) : QString::number(t.hour());
        else if (c == QLatin1Char('n'))
            out += run >= 2 ? two(t.minute()) : QString::number(t.minute());
        else if (c == QLatin1Char('s'))
            out += run >= 2 ? two(t.second()) : QString::number(t.second());
        else
            out += pattern.mid(i, run);
        if (c == QLatin1Char('h'))
            afterHour = true;
        else if (c != QLatin1Char(':') && c != QLatin1Char('m'))
            afterHour = false;
        i += run;
    }
    return out;
}

QString formatNumber(double value, QString pattern) {
    if (pattern.compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0)
        pattern.clear();
    else if (pattern.compare(QLatin1String("Fixed"), Qt::CaseInsensitive) == 0)
        pattern = QStringLiteral("0.00");
    else if (pattern.compare(QLatin1String("Standard"), Qt::CaseInsensitive) == 0)
        pattern = QStringLiteral("#,##0.00");
    else if (pattern.compare(QLatin1String("Percent"), Qt::CaseInsensitive) == 0)
        pattern = QStringLiteral("0.00%");
    if (pattern.isEmpty())
        return QString::number(value, 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    const bool percent = pattern.contains(QLatin1Char('%'));
    if (percent)
        value *= 100;
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString whole = point < 0 ? pattern : pattern.left(point);
    const QString fraction = point < 0 ? QString() : pattern.mid(point + 1);
    const int minWhole = int(whole.count(QLatin1Char('0')));
    const int minFraction = int(fraction.count(QLatin1Char('0')));
    const int maxFraction = minFraction + int(fraction.count(QLatin1Char('#')));
    const bool grouped = whole.contains(QLatin1Char(','));
    QString digits = QString::number(std::fabs(value), 'f', maxFraction);
    QString intPart = digits.section(QLatin1Char('.'), 0, 0);
    QString fracPart = digits.section(QLatin1Char('.'), 1, 1);
    while (fracPart.size() > minFraction && fracPart.endsWith(QLatin1Char('0')))
        fracPart.chop(1);
    if (intPart == QLatin1String("0") && minWhole == 0)
        intPart.clear();
    while (intPart.size() < minWhole)
        intPart.prepend(QLatin1Char('0'));
    if (grouped)
        for (qsizetype at = intPart.size() - 3; at > 0; at -= 3)
            intPart.insert(at, QLatin1Char(' '));
    QString out = intPart;
    if (!fracPart.isEmpty())
        out += QLatin1Char(',') + fracPart;
    const bool negative = value < 0 && out.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (negative ? QStringLiteral("-") : QString()) + out + (percent ? QStringLiteral("%") : QString());
}

void formatFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const QString pattern =
        argc > 1 && sqlite3_value_type(argv[1]) != SQLITE_NULL ? argText(argv[1]) : QString();
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT) {
        if (const std::optional<QDateTime> date = dateOf(argv[0]))
            return resultText(ctx,
                              formatDate(*date, pattern.isEmpty() ? QStringLiteral("yyyy-mm-dd") : pattern));
    }
    const std::optional<double> number = numberOf(argv[0]);
    if (!number)
        return resultText(ctx, argText(argv[0]));
    resultText(ctx, formatNumber(*number, pattern));
}

struct ScalarFunction {
    const char* name;
    int argc;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
};

const ScalarFunction kScalars[] = {
    {"like", 2, likeFunction},
    {"LEN", 1, lenFunction},
    {"UCASE", 1, upperFunction},
    {"LCASE", 1, lowerFunction},
    {"upper", 1, upperFunction},
    {"lower", 1, lowerFunction},
    {"JETLEFT", 2, edgeFunction<true>},
    {"JETRIGHT", 2, edgeFunction<false>},
    {"MID", 2, midFunction},
    {"MID", 3, midFunction},
    {"INSTR", 2, instrFunction},
    {"INSTR", 3, instrFunction},
    {"INSTR", 4, instrFunction},
    {"NZ", 1, nzFunction},
    {"NZ", 2, nzFunction},
    {"CSTR", 1, cstrFunction},
    {"CLNG", 1, clngFunction},
    {"CINT", 1, cintFunction},
    {"VAL", 1, valFunction},
    {"STR", 1, strFunction},
    {"CHR", 1, chrFunction},
    {"ASC", 1, ascFunction},
    {"SPACE", 1, spaceFunction},
    {"STRREVERSE", 1, strReverseFunction},
    {"JETCAT", -1, concatFunction},
    {"JETDIV", 2, divideFunction},
    {"JETIDIV", 2, wholeDivideFunction<false>},
    {"JETMOD", 2, wholeDivideFunction<true>},
    {"JETPOW", 2, powerFunction},
    {"JETADD", 2, addFunction},
    {"JETSUB", 2, arithmeticFunction<0>},
    {"JETMUL", 2, arithmeticFunction<1>},
    {"CDBL", 1, cdblFunction},
    {"JETINT", 1, roundingFunction<floorOf>},
    {"JETFIX", 1, roundingFunction<truncOf>},
    {"JETABS", 1, roundingFunction<absOf>},
    {"JETROUND", 1, roundFunction},
    {"JETROUND", 2, roundFunction},
    {"JETSTRING", 2, stringFunction},
    {"INSTRREV", 2, instrRevFunction},
    {"INSTRREV", 3, instrRevFunction},
    {"JETYEAR", 1, datePartFunction<0>},
    {"JETMONTH", 1, datePartFunction<1>},
    {"JETDAY", 1, datePartFunction<2>},
    {"JETFORMAT", 1, formatFunction},
    {"JETFORMAT", 2, formatFunction},
};

// Not deterministic: the clock.
const ScalarFunction kClockFunctions[] = {
    {"JETDATE", 0, dateFunction},
    {"JETNOW", 0, nowFunction},
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
    for (const ScalarFunction& f : kClockFunctions)
        if (rc == SQLITE_OK)
            rc = sqlite3_create_function_v2(db, f.name, f.argc, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr,
                                            f.function, nullptr, nullptr, nullptr);
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
