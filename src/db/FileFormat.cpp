#include "db/FileFormat.h"

#include "db/access/AccessFile.h"

#include <QFile>

FileFormat::Kind FileFormat::detect(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Kind::Unknown;
    if (file.read(16) == QByteArrayLiteral("SQLite format 3\0"))
        return Kind::Native;
    file.close();
    return AccessFile::looksLikeAccessFile(path) ? Kind::Access : Kind::Unknown;
}
