#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// A genuine Access dictionary served through the same SQL as a native one: its
// tables are copied once into an in-memory engine database (same column names,
// declared types that report the Access type codes and sizes), kept as a
// serialised image per file path, size and modification time. Every connection
// then opens that image read-only without copying it.
namespace AccessImage {

// Checks the database password and returns the image, built by the reader
// program in a process of its own (a damaged file can crash or hang the Access
// reader library). Throws AppError when the file is not a readable Access file,
// the password is wrong, or the reader failed.
std::shared_ptr<const QByteArray> load(const QString& path, const QString& password);

// Builds the image in this process, through the reader library; for the reader
// program only. Throws AppError like load(), also when a table cannot be read whole.
QByteArray build(const QString& path, const QString& password);

} // namespace AccessImage
