#include "db/ConnectionString.h"
#include "db/SchemaCheck.h"
#include "support/Fixtures.h"
#include "support/TestDictionary.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

namespace {

SchemaCheck::Result check(const QString& path, const QString& password = QString(), bool readOnly = false) {
    return SchemaCheck::run(path, ConnectionString::build(readOnly, path, password));
}

// Native files reshaped so that each step of the check fails in turn: a table
// made again as given ("" leaves the dictionary as made, a bare name drops it).
struct ShapeCase {
    const char* name;
    const char* table;
    int code;
    bool raisesError; // the step failed by an error, not by a field test
};

const ShapeCase kShapes[] = {
    {"fresh_dictionary", "", 0, false},
    {"lower_case_field_names", "WYRAZY (wyrazid INTEGER PRIMARY KEY, wyraz VARCHAR(50))", 0, false},
    {"extra_fields_allowed", "WYRAZY (WyrazID INTEGER, Wyraz VARCHAR(50), Uwagi LONGTEXT)", 0, false},
    {"no_words_table", "WYRAZY", 3, true},
    {"words_without_id", "WYRAZY (ID INTEGER PRIMARY KEY, Wyraz VARCHAR(50))", 4, false},
    {"word_id_is_text", "WYRAZY (WyrazID VARCHAR(10), Wyraz VARCHAR(50))", 5, false},
    {"words_without_word", "WYRAZY (WyrazID INTEGER, Haslo VARCHAR(50))", 6, false},
    {"word_is_memo", "WYRAZY (WyrazID INTEGER, Wyraz LONGTEXT)", 7, false},
    {"word_is_plain_text_type", "WYRAZY (WyrazID INTEGER, Wyraz TEXT)", 7, false},
    {"word_is_60_long", "WYRAZY (WyrazID INTEGER, Wyraz VARCHAR(60))", 8, false},
    {"word_is_49_long", "WYRAZY (WyrazID INTEGER, Wyraz VARCHAR(49))", 8, false},
    {"no_descriptions_table", "OPISY", 9, true},
    {"descriptions_without_id", "OPISY (IdWyrazu INTEGER, Opis VARCHAR(255))", 10, false},
    {"description_id_is_text", "OPISY (WyrazID VARCHAR(10), Opis VARCHAR(255))", 11, false},
    {"descriptions_without_text", "OPISY (WyrazID INTEGER, Tresc VARCHAR(255))", 12, false},
    {"description_is_memo", "OPISY (WyrazID INTEGER, Opis MEMO)", 13, false},
    {"description_is_100_long", "OPISY (WyrazID INTEGER, Opis VARCHAR(100))", 14, false},
    {"description_is_256_long", "OPISY (WyrazID INTEGER, Opis VARCHAR(256))", 14, false},
};

class ShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, GivesTheCodeOfTheFailingStep) {
    const ShapeCase& c = GetParam();
    TestDictionary dict({QStringLiteral("KOT")}, {{1, QStringLiteral("zwierzę")}});
    const QString table = QString::fromUtf8(c.table);
    if (!table.isEmpty())
        dict.exec(QStringLiteral("DROP TABLE ") + table.section(QLatin1Char(' '), 0, 0));
    if (table.contains(QLatin1Char('(')))
        dict.exec(QStringLiteral("CREATE TABLE ") + table);
    const SchemaCheck::Result result = check(dict.path());
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.error.has_value(), c.raisesError);
    EXPECT_EQ(check(dict.path(), QString(), true).code, c.code) << "read-only";
}

INSTANTIATE_TEST_SUITE_P(Native, ShapeTest, ::testing::ValuesIn(kShapes),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SchemaCheck, MissingUnusableOrLockedFilesGiveCodesOneAndTwo) {
    QTemporaryDir dir;
    const QString other = dir.filePath(QStringLiteral("inny.mdb"));
    QFile(other).open(QIODevice::WriteOnly);
    TestDictionary locked({QStringLiteral("KOT")}, {}, QStringLiteral("a;b"));
    const QString hidden = locked.folder() + QStringLiteral("/.ukryty.mdb");
    ASSERT_TRUE(QFile::copy(locked.path(), hidden));
    // A folder is not a file, hidden files do not count.
    for (const QString& path : {QString(), dir.filePath(QStringLiteral("brak.mdb")), dir.path(), hidden}) {
        EXPECT_EQ(check(path, QStringLiteral("a;b")).code, 1) << path.toStdString();
        EXPECT_FALSE(check(path).error.has_value());
    }
    for (const auto& [path, password] :
         {std::pair{other, QString()}, std::pair{locked.path(), QString("a")}}) {
        const SchemaCheck::Result result = check(path, password);
        EXPECT_EQ(result.code, 2) << path.toStdString();
        ASSERT_TRUE(result.error.has_value());
        EXPECT_FALSE(result.error->description().isEmpty());
    }
    EXPECT_EQ(check(locked.path(), QStringLiteral("a;b")).code, 0);
}

TEST(SchemaCheck, MessagesOfEveryCode) {
    const QString prefix = QStringLiteral("Połączenie z bazą danych nie zostało ustanowione. ");
    for (const int code : {0, -1, 15})
        EXPECT_EQ(SchemaCheck::DBError(qint16(code)), QString()) << code;
    EXPECT_EQ(SchemaCheck::DBError(1), prefix + QStringLiteral("Plik bazy danych nie istnieje."));
    EXPECT_EQ(SchemaCheck::DBError(9),
              prefix + QStringLiteral("Tabela [OPISY] nie istnieje lub została zablokowana."));
    EXPECT_EQ(SchemaCheck::DBError(14), prefix + QStringLiteral("Rozmiar pola [Opis] nie wynosi [255]."));
    QSet<QString> distinct;
    for (qint16 code = 1; code <= 14; ++code) {
        EXPECT_TRUE(SchemaCheck::DBError(code).startsWith(prefix)) << code;
        distinct << SchemaCheck::DBError(code);
    }
    EXPECT_EQ(distinct.size(), 13) << "only the two id types share a message";
}

// Every shared fixture, checked both in the library and through literon-cli.
struct FixtureCase {
    const char* file;
    const char* password;
    int code;
};

const FixtureCase kFixtureCases[] = {
    {"slownik.mdb", "", 0},     {"slownik_haslo.mdb", "tajne;1", 0}, {"slownik_haslo.mdb", "tajne", 2},
    {"male_litery.mdb", "", 0}, {"wyrazy_bez_wyrazid.mdb", "", 4},   {"wyrazid_tekst.mdb", "", 5},
    {"bez_wyraz.mdb", "", 6},   {"wyraz_memo.mdb", "", 7},           {"bez_opisy.mdb", "", 9},
    {"opis_100.mdb", "", 14},   {"obcy_nwind.mdb", "", 3},           {"niepoprawny.mdb", "", 2},
};

class FixtureTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(FixtureTest, GivesTheManifestCode) {
    LITERON_REQUIRE_FIXTURES();
    const FixtureCase& c = GetParam();
    const QString path = fixturePath(QStringLiteral("mdb/") + QString::fromUtf8(c.file));
    const QString password = QString::fromUtf8(c.password);
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(check(path, password).code, c.code);
    EXPECT_EQ(check(path, password, true).code, c.code) << "read-only";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureTest, ::testing::ValuesIn(kFixtureCases), [](const auto& info) {
    return rowName(QString::fromUtf8(info.param.file).section(QLatin1Char('.'), 0, 0).toStdString() +
                   (*info.param.password ? std::string("_with_") + info.param.password : std::string()));
});

} // namespace
