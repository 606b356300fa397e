#pragma once

#include <QString>

// What tells whether a database file changed since it was last read, by this
// program or any other: size and modification time of the file and of its
// write-ahead log, and the change counter that the engine bumps in the file
// header on every committed write.
struct FileSignature {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint32 changeCounter = 0;
    qint64 walSize = -1;
    qint64 walModifiedNs = 0;

    static FileSignature of(const QString& path);

    bool operator==(const FileSignature&) const = default;
};
