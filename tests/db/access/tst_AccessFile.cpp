#include "db/AppError.h"
#include "db/access/AccessFile.h"
#include "support/Fixtures.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name) {
    return fixturePath(QStringLiteral("mdb/") + QString::fromUtf8(name));
}

// The error number thrown by open(), or 0 when it opened.
qint32 openError(const QString& path, const QString& password = QString()) {
    try {
        AccessFile::open(path, password);
        return 0;
    } catch (const AppError& e) {
        EXPECT_FALSE(e.description().isEmpty());
        return e.number();
    }
}

TEST(AccessFile, ReadsTheWholeDictionary) {
    LITERON_REQUIRE_FIXTURES();
    const AccessFile file = AccessFile::open(fixture("slownik.mdb"));
    EXPECT_EQ(file.version(), AccessFile::Version::Jet4);
    EXPECT_EQ(file.tableNames(), (QStringList{QStringLiteral("WYRAZY"), QStringLiteral("OPISY")}));
    QMap<int, QString> words;
    for (const auto& row : file.readRows(QStringLiteral("WYRAZY"))) {
        EXPECT_EQ(row.at(0).typeId(), QMetaType::Int);
        words.insert(row.at(0).toInt(), row.at(1).toString());
    }
    ASSERT_EQ(words.size(), 120);
    EXPECT_EQ(words.lastKey(), 120);
    EXPECT_EQ(words.value(5), QStringLiteral("ŻÓŁW"));
    // The longest description fills its 255 letters, Polish ones kept.
    const auto descriptions = file.readRows(QStringLiteral("OPISY"));
    EXPECT_EQ(descriptions.size(), 62);
    QStringList story;
    for (const auto& row : descriptions)
        if (words.value(row.at(0).toInt()) == QStringLiteral("OPOWIADANIE"))
            story << row.at(1).toString();
    ASSERT_EQ(story.size(), 1);
    EXPECT_EQ(story.first().size(), 255);
    EXPECT_TRUE(story.first().contains(QStringLiteral("zażółć gęślą jaźń, ŻÓŁTA ŁÓDŹ")));
}

TEST(AccessFile, PasswordMustMatchExactly) {
    LITERON_REQUIRE_FIXTURES();
    const QString path = fixture("slownik_haslo.mdb");
    EXPECT_EQ(openError(path, QStringLiteral("tajne;1")), 0);
    for (const char* wrong : {"", "tajne", "TAJNE;1"})
        EXPECT_EQ(openError(path, QString::fromUtf8(wrong)), AccessFile::WrongPasswordError) << wrong;
}

TEST(AccessFile, ReadsAForeignJet3File) {
    LITERON_REQUIRE_FIXTURES();
    const AccessFile file = AccessFile::open(fixture("obcy_nwind.mdb"));
    EXPECT_EQ(file.version(), AccessFile::Version::Jet3);
    EXPECT_EQ(file.tableNames().size(), 9) << "user tables only";
    // Names in the file's code page, found without regard to case.
    EXPECT_EQ(file.findTable(QStringLiteral("UMSÄTZE")), QStringLiteral("Umsätze"));
    EXPECT_TRUE(file.findTable(QStringLiteral("WYRAZY")).isEmpty());
    EXPECT_EQ(file.readRows(QStringLiteral("Order Details")).size(), 2155);
    EXPECT_EQ(file.readRows(QStringLiteral("Umsätze")).size(), 830);
}

TEST(AccessFile, RefusesWhatIsNotAnAccessFile) {
    LITERON_REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    QFile source(fixture("slownik.mdb"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QStringList paths{fixture("niepoprawny.mdb"), fixture("pusty_plik.mdb"),
                            write("sqlite.mdb", QByteArray("SQLite format 3\0", 16) + QByteArray(8192, '\0')),
                            // a valid header, but not even one page
                            write("obciety.mdb", source.read(1000))};
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(AccessFile::looksLikeAccessFile(path));
        EXPECT_EQ(openError(path), AppError::ProviderError);
    }
    EXPECT_NE(openError(dir.filePath(QStringLiteral("brak.mdb"))), 0);
}

} // namespace
