// Damaged Access files through literon-cli: random mutants of the fixtures
// (made here, in a temporary folder, and never kept) must each end in an
// ordinary status code, without a crash or a hang of the program.
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr int Mutants = 400;
constexpr qint64 BudgetMs = 600000; // the whole run; a slow machine checks fewer
constexpr int PerCheckMs = 60000;

// One mutant: a few random bytes changed, a table-definition page hit, or the
// file cut short.
QByteArray mutate(const QByteArray& original, std::mt19937& random) {
    QByteArray bytes = original;
    const int pageSize = bytes.at(0x14) == 0 ? 2048 : 4096; // Jet 3 pages are smaller
    const int pages = static_cast<int>(bytes.size() / pageSize);
    std::uniform_int_distribution<int> kind(0, 2);
    std::uniform_int_distribution<int> anyByte(0, 255);
    switch (kind(random)) {
    case 0: {
        std::uniform_int_distribution<qsizetype> offset(0, bytes.size() - 1);
        for (int n = std::uniform_int_distribution<int>(1, 4)(random); n > 0; --n)
            bytes[offset(random)] = static_cast<char>(anyByte(random));
        break;
    }
    case 1: {
        QList<int> definitions; // pages of type 2: table definitions
        for (int p = 1; p < pages; ++p)
            if (bytes.at(qsizetype(p) * pageSize) == 0x02)
                definitions << p;
        const int page =
            definitions.isEmpty()
                ? 1
                : definitions.at(std::uniform_int_distribution<int>(0, int(definitions.size()) - 1)(random));
        std::uniform_int_distribution<int> within(0, std::min(pageSize, 256) - 1);
        bytes[qsizetype(page) * pageSize + within(random)] = static_cast<char>(anyByte(random));
        break;
    }
    default:
        bytes.truncate(qsizetype(std::uniform_int_distribution<int>(1, pages - 1)(random)) * pageSize);
        break;
    }
    return bytes;
}

TEST(CliAccessMutations, EveryMutantEndsInAStatusCode) {
    LITERON_REQUIRE_FIXTURES();
    const QStringList sources{QStringLiteral("mdb/slownik.mdb"), QStringLiteral("mdb/pusta.mdb"),
                              QStringLiteral("mdb/obcy_password_V2003_no-password.mdb"),
                              QStringLiteral("ace/testV2007.accdb"),
                              QStringLiteral("ace/testEmoticonsV2010.accdb")};
    QList<QByteArray> originals;
    for (const QString& s : sources)
        originals << fileBytes(fixturePath(s));
    QTemporaryDir dir;
    std::mt19937 random(20261207); // the same mutants every run
    QElapsedTimer timer;
    timer.start();
    int checked = 0;
    for (; checked < Mutants && timer.elapsed() < BudgetMs; ++checked) {
        const int which = checked % int(sources.size());
        const QByteArray mutant = mutate(originals.at(which), random);
        const QString path = dir.filePath(QStringLiteral("mutant.mdb"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(mutant);
        out.close();

        QProcess process;
        process.start(QStringLiteral(LITERON_BIN_DIR "/literon-cli"), {QStringLiteral("check"), path});
        const bool finished = process.waitForFinished(PerCheckMs);
        if (!finished)
            process.kill();
        const QString trace = QStringLiteral("mutant %1 of %2").arg(checked).arg(sources.at(which));
        ASSERT_TRUE(finished) << trace.toStdString() << " hangs";
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << trace.toStdString() << " crashes";
        bool ok = false;
        const int code =
            QString::fromUtf8(process.readAllStandardOutput()).section(QLatin1Char('\t'), 0, 0).toInt(&ok);
        ASSERT_TRUE(ok && code >= 0 && code <= 14) << trace.toStdString();
    }
    EXPECT_GE(checked, 50) << "too few mutants checked in the time given";
    std::cout << checked << " mutants checked in " << timer.elapsed() / 1000 << " s\n";
}

} // namespace
