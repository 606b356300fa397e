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

// Checks the database password and returns the image; throws AppError when the
// file is not a readable Access file or the password is wrong.
std::shared_ptr<const QByteArray> load(const QString& path, const QString& password);

} // namespace AccessImage
