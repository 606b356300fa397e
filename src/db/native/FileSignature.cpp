#include "db/native/FileSignature.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool statFile(const QByteArray& path, qint64& size, qint64& modifiedNs) {
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return false;
    size = st.st_size;
    modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

} // namespace

FileSignature FileSignature::of(const QString& path) {
    FileSignature s;
    const QByteArray name = QFile::encodeName(path);
    statFile(name, s.size, s.modifiedNs);
    statFile(name + "-wal", s.walSize, s.walModifiedNs);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        unsigned char counter[4] = {};
        if (::pread(fd, counter, sizeof counter, 24) == qint64(sizeof counter))
            s.changeCounter =
                quint32(counter[0]) << 24 | quint32(counter[1]) << 16 | quint32(counter[2]) << 8 | counter[3];
        ::close(fd);
    }
    return s;
}
