#include "db/native/TempFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString TempFiles::nameFor(const QString& targetPath) {
    const QFileInfo info(targetPath);
    return info.absoluteDir().filePath(
        QStringLiteral(".%1.%2.tmp")
            .arg(info.fileName())
            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
}

int TempFiles::hold(const QString& path) {
    // flock() locks belong to this open file, apart from the engine's own
    // record locks on the same file.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void TempFiles::release(int handle) {
    if (handle >= 0)
        ::close(handle);
}

void TempFiles::removeStale(const QString& folder, int minAgeSeconds) {
    static const QRegularExpression workFile(QStringLiteral(R"(^\..+\.[0-9a-f]{8}\.tmp$)"));
    const QDateTime settled = QDateTime::currentDateTimeUtc().addSecs(-minAgeSeconds);
    const QFileInfoList entries =
        QDir(folder).entryInfoList({QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (!workFile.match(entry.fileName()).hasMatch() || entry.lastModified().toUTC() > settled)
            continue;
        const int fd = hold(entry.absoluteFilePath());
        if (fd < 0)
            continue; // a writer is still at work
        QFile::remove(entry.absoluteFilePath());
        QFile::remove(entry.absoluteFilePath() + QStringLiteral("-journal"));
        release(fd);
    }
}
