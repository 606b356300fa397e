#pragma once

#include <QByteArray>
#include <QString>

// Runs the reader program `literon-access-reader` (beside the running
// executable) to turn an Access file into an engine image. The program gets
// the path as its argument and the password on its standard input, and writes
// the image to its standard output. A crash, a hang (past a time limit that
// grows with the file) or running out of its memory limit ends in AppError
// like any unreadable file, never in this process going down.
namespace AccessReaderProcess {

constexpr char ProgramName[] = "literon-access-reader";

// Exit codes of the reader program.
constexpr int ExitImage = 0;  // stdout holds the image
constexpr int ExitError = 1;  // stdout holds "number\ndescription" of the AppError
constexpr int ExitUsage = 64; // wrong arguments

QByteArray readImage(const QString& path, const QString& password);

// The time limit for a file of `size` bytes, in milliseconds.
int timeLimitMs(qint64 size);

} // namespace AccessReaderProcess
