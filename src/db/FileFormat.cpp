#include "db/FileFormat.h"

#include <QFile>

FileFormat::Kind FileFormat::detect(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Kind::Unknown;
    const QByteArray head = file.read(32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return Kind::Native;
    // Jet 3/4 and ACE files: a page-0 signature, then the engine name.
    const QByteArray name = head.mid(4, 15);
    if (name == "Standard Jet DB" || name == "Standard ACE DB")
        return Kind::Access;
    return Kind::Unknown;
}
