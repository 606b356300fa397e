// literon-access-reader: turns an Access file into an engine image in a
// process of its own, so that whatever a damaged file does to the Access reader
// library (crash, endless loop, runaway memory) ends here and not in the program.
// Usage: literon-access-reader PATH < password; the image goes to stdout.

#include "db/AppError.h"
#include "db/access/AccessImage.h"
#include "db/access/AccessReaderProcess.h"

#include <QFile>

#include <cstdio>
#include <new>

namespace {

bool writeAll(const QByteArray& bytes) {
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly))
        return false;
    return out.write(bytes) == bytes.size() && out.flush();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return AccessReaderProcess::ExitUsage;
    // The library reports every oddity of a damaged file on stderr, possibly without end.
    if (!std::freopen("/dev/null", "w", stderr))
        return AccessReaderProcess::ExitUsage;
    QFile in;
    QString password;
    if (in.open(stdin, QIODevice::ReadOnly))
        password = QString::fromUtf8(in.readAll());
    const QString path = QFile::decodeName(argv[1]);
    try {
        const QByteArray image = AccessImage::build(path, password);
        return writeAll(image) ? AccessReaderProcess::ExitImage : AccessReaderProcess::ExitUsage;
    } catch (const AppError& e) {
        writeAll(QByteArray::number(e.number()) + '\n' + e.description().toUtf8());
        return AccessReaderProcess::ExitError;
    } catch (const std::bad_alloc&) {
        return AccessReaderProcess::ExitUsage + 1;
    }
}
