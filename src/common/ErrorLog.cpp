#include "common/ErrorLog.h"

#include "common/modMain.h"
#include "db/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Converts with glibc's iconv; a character the target cannot hold becomes "?".
QByteArray convert(const QByteArray& input, const char* from, const char* to, char replacement) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw AppError(
            AppError::InvalidProcedureCall,
            QStringLiteral("Brak konwersji znaków %1 -> %2.").arg(QLatin1String(from), QLatin1String(to)));
    QByteArray out;
    out.reserve(input.size() * 2);
    QByteArray in = input;
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // Unmappable or broken input: skip one UTF-8 sequence (or byte) and mark it.
            out.append(replacement);
            size_t skip = 1;
            if (qstrcmp(from, "UTF-8") == 0) {
                const auto lead = static_cast<unsigned char>(*inPtr);
                skip = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
            }
            skip = std::min(skip, inLeft);
            inPtr += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

} // namespace

QString ErrorLog::formatLine(const QDateTime& when, const QString& place, qint32 number,
                             const QString& description) {
    // A line break inside the description would split one error into several
    // lines that the viewer cannot read, so it is written on one line.
    QString oneLine = description;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return modMain::FillSpaces(when.toString(QStringLiteral("yyyy-MM-dd")), 10) + QLatin1Char(' ') +
           modMain::FillSpaces(when.toString(QStringLiteral("HH:mm:ss")), 8) + QLatin1Char(' ') +
           modMain::FillSpaces(place, 50) + QLatin1Char(' ') +
           modMain::FillSpaces(QString::number(number), 15) + QLatin1Char(' ') + oneLine;
}

QByteArray ErrorLog::toWindows1250(const QString& text) {
    return convert(text.toUtf8(), "UTF-8", "WINDOWS-1250", '?');
}

QString ErrorLog::fromWindows1250(const QByteArray& bytes) {
    return QString::fromUtf8(convert(bytes, "WINDOWS-1250", "UTF-8", '?'));
}

void ErrorLog::append(const QString& path, const QString& line) {
    // Append only: O_APPEND never truncates, and no folder is created. O_NONBLOCK
    // keeps a FIFO without a reader from stopping the program; a log that is not
    // a regular file (FIFO, device) counts as one that cannot be written.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        throw AppError(
            QFileInfo::exists(QFileInfo(path).absolutePath()) ? AppError::PermissionDenied
                                                              : AppError::PathNotFound,
            QStringLiteral("Nie można otworzyć pliku %1: %2")
                .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno))));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("Nie można zapisać pliku %1: to nie jest zwykły plik.")
                           .arg(QDir::toNativeSeparators(path)));
    }
    // A regular file: back to ordinary blocking writes.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Append, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("Nie można otworzyć pliku %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    const QByteArray bytes = toWindows1250(line) + "\r\n";
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("Nie można zapisać pliku %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw AppError(AppError::PermissionDenied,
                       QStringLiteral("Nie można zamknąć pliku %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
}

QString ErrorLog::pathIn(const QString& programFolder) {
    return programFolder + QStringLiteral("/Logs/error.log");
}
