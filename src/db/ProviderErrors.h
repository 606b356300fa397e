#pragma once

#include "db/AppError.h"

// The errors the provider raises, with the numbers the callers know from the
// original provider and Polish descriptions that say what went wrong.
namespace ProviderErrors {

constexpr qint32 ArgumentsWrong = -2146825287;       // 0x800A0BB9
constexpr qint32 NoCurrentRecord = -2146825267;      // 0x800A0BCD
constexpr qint32 ItemNotFound = -2146825023;         // 0x800A0CC1
constexpr qint32 ObjectClosed = -2146824584;         // 0x800A0E78
constexpr qint32 ObjectOpen = -2146824583;           // 0x800A0E79
constexpr qint32 ProviderNotFound = -2146824582;     // 0x800A0E7A
constexpr qint32 ConnectionClosed = -2146824579;     // 0x800A0E7D
constexpr qint32 SyntaxError = -2147217900;          // 0x80040E14
constexpr qint32 NoSuchTable = -2147217865;          // 0x80040E37
constexpr qint32 MissingValue = -2147217904;         // 0x80040E10
constexpr qint32 Timeout = -2147217871;              // 0x80040E31
constexpr qint32 AuthenticationFailed = -2147217843; // 0x80040E4D
constexpr qint32 ReadOnlyRepair = -2147217911;       // 0x80040E09

AppError badConnectionString();
AppError providerNotFound();
AppError fileNotFound(const QString& path);
AppError unrecognisedFormat(const QString& path);
AppError wrongPassword();
AppError fileLocked(const QString& path);
// A file left half-written by an interrupted writer, which cannot be repaired
// because it must not be written (its write bits are off).
AppError needsRepairButReadOnly(const QString& path);
AppError cannotOpen(const QString& path, const QString& engineMessage);
AppError connectionClosed();
AppError objectOpen();
AppError objectClosed();
AppError noCurrentRecord();
AppError itemNotFound(const QString& item);
AppError trailingCharacters();
AppError syntax(const QString& detail);
AppError unsupported(const QString& what);
AppError badLikePattern(const QString& pattern);
AppError timeout();
// An expression or sub-query nested deeper than the translator reads.
AppError tooComplex();
// Marks a text that the dialect's own functions hand to the engine as their
// error, so that it reaches the user as written.
inline constexpr char16_t OwnTextMark = u'\uE000';
QString ownText(const QString& description);
AppError readOnly();
AppError accessReadOnly();
AppError commandType(int type);
// A statement the engine refused or failed on; `sqliteCode` is the engine's
// result code. The description is Polish: names quoted from the statement
// are kept, the engine's English text is not shown.
AppError engine(int sqliteCode, const QString& engineMessage);

} // namespace ProviderErrors
