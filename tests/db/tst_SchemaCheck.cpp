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

// Dictionaries failing each step of the check in turn: native ones with one
// table made again as given ("" leaves the dictionary as made, a bare name
// drops the table), and shared Access files as "mdb/<file>[ <password>]".
struct ShapeCase {
    const char* name;
    const char* shape;
    int code;
};

const ShapeCase kShapes[] = {
    {"fresh_dictionary", "", 0},
    {"lower_case_field_names", "WYRAZY (wyrazid INTEGER PRIMARY KEY, wyraz VARCHAR(50))", 0},
    {"extra_fields_allowed", "WYRAZY (WyrazID INTEGER, Wyraz VARCHAR(50), Uwagi LONGTEXT)", 0},
    {"no_words_table", "WYRAZY", 3},
    {"words_without_id", "WYRAZY (ID INTEGER PRIMARY KEY, Wyraz VARCHAR(50))", 4},
    {"word_id_is_text", "WYRAZY (WyrazID VARCHAR(10), Wyraz VARCHAR(50))", 5},
    {"words_without_word", "WYRAZY (WyrazID INTEGER, Haslo VARCHAR(50))", 6},
    {"word_is_memo", "WYRAZY (WyrazID INTEGER, Wyraz LONGTEXT)", 7},
    {"word_is_plain_text_type", "WYRAZY (WyrazID INTEGER, Wyraz TEXT)", 7},
    {"word_is_60_long", "WYRAZY (WyrazID INTEGER, Wyraz VARCHAR(60))", 8},
    {"word_is_49_long", "WYRAZY (WyrazID INTEGER, Wyraz VARCHAR(49))", 8},
    {"no_descriptions_table", "OPISY", 9},
    {"descriptions_without_id", "OPISY (IdWyrazu INTEGER, Opis VARCHAR(255))", 10},
    {"description_id_is_text", "OPISY (WyrazID VARCHAR(10), Opis VARCHAR(255))", 11},
    {"descriptions_without_text", "OPISY (WyrazID INTEGER, Tresc VARCHAR(255))", 12},
    {"description_is_memo", "OPISY (WyrazID INTEGER, Opis MEMO)", 13},
    {"description_is_100_long", "OPISY (WyrazID INTEGER, Opis VARCHAR(100))", 14},
    {"description_is_256_long", "OPISY (WyrazID INTEGER, Opis VARCHAR(256))", 14},
    {"access_dictionary", "mdb/slownik.mdb", 0},
    {"access_with_its_password", "mdb/slownik_haslo.mdb tajne;1", 0},
    {"access_words_without_id", "mdb/wyrazy_bez_wyrazid.mdb", 4},
    {"access_word_id_is_text", "mdb/wyrazid_tekst.mdb", 5},
    {"access_word_is_memo", "mdb/wyraz_memo.mdb", 7},
    {"access_no_descriptions_table", "mdb/bez_opisy.mdb", 9},
    {"access_description_is_100_long", "mdb/opis_100.mdb", 14},
    {"access_foreign_database", "mdb/obcy_nwind.mdb", 3},
    {"access_damaged_file", "mdb/niepoprawny.mdb", 2},
};

class ShapeTest : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeTest, GivesTheCodeOfTheFailingStep) {
    const ShapeCase& c = GetParam();
    const QString shape = QString::fromUtf8(c.shape);
    TestDictionary dict({QStringLiteral("KOT")}, {{1, QStringLiteral("zwierzę")}});
    QString path = dict.path();
    if (shape.startsWith(QLatin1String("mdb/"))) {
        LITERON_REQUIRE_FIXTURES();
        path = fixturePath(shape.section(' ', 0, 0));
    } else if (!shape.isEmpty()) {
        dict.exec(QStringLiteral("DROP TABLE ") + shape.section(' ', 0, 0));
        if (shape.contains('('))
            dict.exec(QStringLiteral("CREATE TABLE ") + shape);
    }
    const QString password = shape.startsWith(QLatin1String("mdb/")) ? shape.section(' ', 1) : QString();
    const SchemaCheck::Result result = check(path, password);
    EXPECT_EQ(result.code, c.code);
    // Opening the file or a table fails by an error; the other steps by a field test.
    EXPECT_EQ(result.error.has_value(), c.code == 2 || c.code == 3 || c.code == 9);
    EXPECT_EQ(check(path, password, true).code, c.code) << "read-only";
}

INSTANTIATE_TEST_SUITE_P(Files, ShapeTest, ::testing::ValuesIn(kShapes),
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

} // namespace
