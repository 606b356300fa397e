#include "common/modMain.h"
#include "db/AppError.h"
#include "db/access/AccessFile.h"
#include "support/Fixtures.h"

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QSet>
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

// WyrazID -> Wyraz and WyrazID -> descriptions of one dictionary file.
struct Dictionary {
    QMap<int, QString> words;
    QMultiMap<int, QString> descriptions;
};

Dictionary readDictionary(const AccessFile& file) {
    Dictionary d;
    for (const auto& row : file.readRows(QStringLiteral("WYRAZY"))) {
        EXPECT_EQ(row.at(0).typeId(), QMetaType::Int);
        EXPECT_EQ(row.at(1).typeId(), QMetaType::QString);
        d.words.insert(row.at(0).toInt(), row.at(1).toString());
    }
    for (const auto& row : file.readRows(QStringLiteral("OPISY")))
        d.descriptions.insert(row.at(0).toInt(), row.at(1).toString());
    return d;
}

void expectWholeDictionary(const Dictionary& d) {
    ASSERT_EQ(d.words.size(), 120);
    EXPECT_EQ(d.words.firstKey(), 1);
    EXPECT_EQ(d.words.lastKey(), 120);
    EXPECT_EQ(d.words.value(5), QStringLiteral("ŻÓŁW"));
    EXPECT_EQ(d.words.value(17), QStringLiteral("PIERŚCIEŃ"));
    for (const QString& w : d.words)
        EXPECT_TRUE(modMain::CheckChars(w)) << w.toStdString();
    EXPECT_EQ(d.descriptions.size(), 62);
    EXPECT_EQ(QSet<int>(d.descriptions.keyBegin(), d.descriptions.keyEnd()).size(), 38);
    // The longest description fills its 255 letters, Polish ones and apostrophes kept.
    const QStringList longest = d.descriptions.values(d.words.key(QStringLiteral("OPOWIADANIE")));
    ASSERT_EQ(longest.size(), 1);
    EXPECT_EQ(longest.first().size(), 255);
    EXPECT_TRUE(longest.first().contains(QStringLiteral("zażółć gęślą jaźń, ŻÓŁTA ŁÓDŹ")));
    EXPECT_TRUE(
        d.descriptions.values(d.words.key(QStringLiteral("TANIEC"))).contains(QStringLiteral("rock'n'roll")));
}

TEST(AccessFile, ReadsTheWholeDictionary) {
    LITERON_REQUIRE_FIXTURES();
    const AccessFile file = AccessFile::open(fixture("slownik.mdb"));
    EXPECT_EQ(file.version(), AccessFile::Version::Jet4);
    EXPECT_EQ(file.tableNames(), (QStringList{QStringLiteral("WYRAZY"), QStringLiteral("OPISY")}));
    expectWholeDictionary(readDictionary(file));
}

struct PasswordCase {
    const char* name;
    const char* file;
    const char* password;
    qint32 error;
};

void PrintTo(const PasswordCase& c, std::ostream* os) {
    *os << c.name;
}

class AccessPassword : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(AccessPassword, IsCheckedAgainstTheHeader) {
    LITERON_REQUIRE_FIXTURES();
    const PasswordCase& c = GetParam();
    EXPECT_EQ(openError(fixture(c.file), QString::fromUtf8(c.password)), c.error);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AccessPassword,
    ::testing::Values(PasswordCase{"right", "slownik_haslo.mdb", "tajne;1", 0},
                      PasswordCase{"prefix", "slownik_haslo.mdb", "tajne", AccessFile::WrongPasswordError},
                      PasswordCase{"other_case", "slownik_haslo.mdb", "TAJNE;1",
                                   AccessFile::WrongPasswordError},
                      PasswordCase{"none_set_none_given", "slownik.mdb", "", 0},
                      PasswordCase{"none_set_jet3", "obcy_nwind.mdb", "", 0},
                      PasswordCase{"none_set_access_2003", "obcy_password_V2003_no-password.mdb", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AccessFile, TablePresenceAndRowCountsOfTheBrokenFiles) {
    LITERON_REQUIRE_FIXTURES();
    struct Case {
        const char* file;
        int words;        // -1: no WYRAZY
        int descriptions; // -1: no OPISY
    };
    const Case cases[] = {{"pusta.mdb", 0, 0},
                          {"bez_wyrazy.mdb", -1, 14},
                          {"bez_opisy.mdb", 10, -1},
                          {"wyraz_memo.mdb", 10, 14}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const AccessFile file = AccessFile::open(fixture(c.file));
        const QString words = file.findTable(QStringLiteral("WYRAZY"));
        const QString descriptions = file.findTable(QStringLiteral("OPISY"));
        EXPECT_EQ(words.isEmpty(), c.words < 0);
        EXPECT_EQ(descriptions.isEmpty(), c.descriptions < 0);
        if (c.words >= 0) {
            EXPECT_EQ(file.readRows(words).size(), c.words);
        }
        if (c.descriptions >= 0) {
            EXPECT_EQ(file.readRows(descriptions).size(), c.descriptions);
        }
    }
    EXPECT_THROW(AccessFile::open(fixture("bez_opisy.mdb")).columns(QStringLiteral("OPISY")), AppError);
}

TEST(AccessFile, ReadsAForeignJet3File) {
    LITERON_REQUIRE_FIXTURES();
    const AccessFile file = AccessFile::open(fixture("obcy_nwind.mdb"));
    EXPECT_EQ(file.version(), AccessFile::Version::Jet3);
    const QMap<QString, int> expected = {
        {"Order Details", 2155}, {"Orders", 830},   {"Products", 77},
        {"Shippers", 3},         {"Categories", 8}, {"Customers", 91},
        {"Employees", 9},        {"Suppliers", 29}, {QStringLiteral("Umsätze"), 830}};
    const QStringList tables = file.tableNames();
    EXPECT_EQ(QSet<QString>(tables.begin(), tables.end()),
              QSet<QString>(expected.keyBegin(), expected.keyEnd()));
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(file.readRows(it.key()).size(), it.value()) << it.key().toStdString();
    EXPECT_EQ(file.findTable(QStringLiteral("UMSÄTZE")), QStringLiteral("Umsätze"));
    EXPECT_TRUE(file.findTable(QStringLiteral("WYRAZY")).isEmpty());
}

TEST(AccessFile, RefusesWhatIsNotAnAccessFile) {
    LITERON_REQUIRE_FIXTURES();
    QTemporaryDir dir;
    const QString sqliteLike = dir.filePath(QStringLiteral("sqlite.mdb"));
    {
        QFile f(sqliteLike);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("SQLite format 3\0", 16) + QByteArray(8192, '\0'));
    }
    const QString truncated = dir.filePath(QStringLiteral("obciety.mdb"));
    {
        QFile source(fixture("slownik.mdb"));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QFile f(truncated);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(source.read(1000)); // a valid header, but not even one page
    }
    for (const QString& path :
         {fixture("niepoprawny.mdb"), fixture("pusty_plik.mdb"), sqliteLike, truncated}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(AccessFile::looksLikeAccessFile(path));
        EXPECT_EQ(openError(path), AppError::ProviderError);
    }
    EXPECT_NE(openError(dir.filePath(QStringLiteral("brak.mdb"))), 0);
    for (const char* name : {"slownik.mdb", "slownik_haslo.mdb", "obcy_nwind.mdb"})
        EXPECT_TRUE(AccessFile::looksLikeAccessFile(fixture(name))) << name;
}

} // namespace
