#include "db/access/AccessReaderProcess.h"

#include "db/AppError.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/resource.h>

#include <algorithm>

namespace {

// Reading runs at tens of megabytes a second; a damaged file that makes the
// reader loop is stopped after a few seconds, a big dictionary gets its time.
constexpr int BaseTimeMs = 5000;
constexpr qint64 BytesPerExtraSecond = 2 * 1024 * 1024;
// The image is a few times the file; a looping reader grows far past that.
constexpr rlim_t BaseMemory = rlim_t(1536) << 20;
constexpr rlim_t MemoryPerFileByte = 24;

QString readerPath() {
    // The executable's own folder, whatever the working folder or the application object.
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QFileInfo(self).absoluteDir().filePath(QString::fromLatin1(AccessReaderProcess::ProgramName));
}

AppError damaged(const QString& path, const QString& why) {
    return AppError(AppError::ProviderError,
                    QStringLiteral("Nie można odczytać bazy Access '%1': %2").arg(path, why));
}

} // namespace

int AccessReaderProcess::timeLimitMs(qint64 size) {
    return BaseTimeMs + static_cast<int>(std::min<qint64>(size / BytesPerExtraSecond, 3600) * 1000);
}

QByteArray AccessReaderProcess::readImage(const QString& path, const QString& password) {
    const QFileInfo info(path);
    const qint64 size = info.size();
    const rlim_t memory = BaseMemory + MemoryPerFileByte * static_cast<rlim_t>(size);

    QProcess reader;
    reader.setProgram(readerPath());
    reader.setArguments({info.absoluteFilePath()});
    // A damaged file makes the library report without end; nobody reads it.
    reader.setStandardErrorFile(QProcess::nullDevice());
    reader.setChildProcessModifier([memory] {
        const rlimit mem{memory, memory};
        setrlimit(RLIMIT_AS, &mem);
        const rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
    });
    reader.start(QIODevice::ReadWrite);
    if (!reader.waitForStarted(10000))
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Nie można uruchomić programu %1, który odczytuje bazy Access: %2")
                           .arg(reader.program(), reader.errorString()));
    reader.write(password.toUtf8());
    reader.closeWriteChannel();

    const int limit = timeLimitMs(size);
    if (!reader.waitForFinished(limit) && reader.state() != QProcess::NotRunning) {
        reader.kill();
        reader.waitForFinished(5000);
        throw damaged(path, QStringLiteral("odczyt trwał dłużej niż %1 s; plik jest prawdopodobnie "
                                           "uszkodzony.")
                                .arg(limit / 1000));
    }
    const QByteArray output = reader.readAllStandardOutput();
    if (reader.exitStatus() == QProcess::CrashExit)
        throw damaged(path, QStringLiteral("plik jest uszkodzony (odczyt przerwany błędem)."));
    switch (reader.exitCode()) {
    case ExitImage:
        if (output.isEmpty())
            throw damaged(path, QStringLiteral("plik jest uszkodzony (brak danych)."));
        return output;
    case ExitError: {
        const qsizetype newline = output.indexOf('\n');
        bool ok = false;
        const qint32 number = output.left(newline).toInt(&ok);
        if (newline > 0 && ok)
            throw AppError(number, QString::fromUtf8(output.mid(newline + 1)));
        break;
    }
    default:
        break;
    }
    throw damaged(path, QStringLiteral("plik jest uszkodzony lub zbyt duży (odczyt przerwany, kod %1).")
                            .arg(reader.exitCode()));
}
