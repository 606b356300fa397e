#pragma once

#include "db/AppError.h"

#include <QString>

#include <optional>

// The check a dictionary file must pass before the program works with it: the
// file exists, opens with the connection string, and both tables have the
// fields with the types and sizes the searches and dialogs rely on. Status
// codes 0 (usable) and 1..14 (the step that failed); an error raised inside a
// step is handed back with its code, for the caller's error trap.
class SchemaCheck {
public:
    struct Result {
        qint16 code = 1;
        std::optional<AppError> error; // set when the step failed by an error
    };

    // `path` is the trimmed database path, `connectionString` the text built from it.
    static Result run(const QString& path, const QString& connectionString);

    // The message for a status code: "Połączenie z bazą danych nie zostało
    // ustanowione. " and the reason; empty for 0 and codes outside 1..14.
    static QString DBError(qint16 code);
};
