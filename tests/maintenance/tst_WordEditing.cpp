#include "maintenance/WordEditing.h"

#include "db/AppError.h"
#include "maintenance/MaintenanceDb.h"

#include <gtest/gtest.h>

namespace {

using Target = WordEditing::Target;

Target targetOf(const TestDictionary& dictionary) {
    return {dictionary.connectionString(), 30};
}

struct TypedCase {
    const char* name;
    const char* typed;
    const char* refusal; // nullptr: accepted
};

const char* const Empty = "Proszę wypełnić pole 'Nowy wyraz'.";
const char* const Forbidden = "Pole 'Nowy wyraz' zawiera niedozwolony znak.";

const TypedCase typedCases[] = {
    {"nothing", "", Empty},
    {"spaces_only", "   ", Empty},
    {"leading_space", " kot", Forbidden},
    {"trailing_space", "kot ", Forbidden},
    {"inner_space", "ko t", Forbidden},
    {"digit", "kot1", Forbidden},
    {"apostrophe", "o'kot", Forbidden},
    {"polish_lower_case", "żółw", nullptr},
    {"q_and_x", "QX", nullptr},
};

class TypedWord : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedWord, StepsOneAndTwoInOrder) {
    const TypedCase& c = GetParam();
    const std::optional<QString> refused = WordEditing::checkTyped(QString::fromUtf8(c.typed));
    if (c.refusal)
        EXPECT_EQ(refused.value_or(QString()), QString::fromUtf8(c.refusal));
    else
        EXPECT_FALSE(refused.has_value()) << refused->toStdString();
}

INSTANTIATE_TEST_SUITE_P(Checks, TypedWord, ::testing::ValuesIn(typedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WordEditingSql, TextsAreThoseOfTheDictionary) {
    EXPECT_EQ(WordEditing::existsSql(QStringLiteral("kot")),
              QStringLiteral("SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz = 'kot'"));
    EXPECT_EQ(WordEditing::insertSql(QStringLiteral("żółw")),
              QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES ('ŻÓŁW')"));
    EXPECT_EQ(WordEditing::updateSql(QStringLiteral("psy"), QStringLiteral("KOT ")),
              QStringLiteral("UPDATE WYRAZY SET Wyraz = 'PSY' WHERE Wyraz = 'KOT'"));
    EXPECT_EQ(WordEditing::deleteSql(QStringLiteral("'KOT'")),
              (QStringList{QStringLiteral("DELETE FROM OPISY WHERE WyrazID IN (SELECT WyrazID FROM WYRAZY "
                                          "WHERE Wyraz IN ('KOT'))"),
                           QStringLiteral("DELETE FROM WYRAZY WHERE Wyraz IN ('KOT')")}));
}

TEST(WordEditingSql, WordListQuotesEachWordAndDoublesApostrophes) {
    EXPECT_EQ(WordEditing::wordList({QStringLiteral("KOT"), QStringLiteral("KOTY"), QStringLiteral("KOTEK")}),
              QStringLiteral("'KOT', 'KOTY', 'KOTEK'"));
    EXPECT_EQ(WordEditing::wordList({QStringLiteral(" O'NEIL ")}), QStringLiteral("'O''NEIL'"));
}

TEST(WordEditingSql, ManyIsTheCaptionEndingInY) {
    EXPECT_TRUE(WordEditing::deletesMany(QStringLiteral("Usuń wyrazy")));
    EXPECT_FALSE(WordEditing::deletesMany(QStringLiteral("Usuń wyraz")));
    EXPECT_EQ(
        WordEditing::deleteQuestion(true),
        QStringLiteral("Czy na pewno chcesz usunąć zaznaczone wyrazy? Ich opisy zostaną również usunięte."));
    EXPECT_EQ(WordEditing::deletedMessage(false),
              QStringLiteral("Zaznaczony wyraz został usunięty z bazy danych."));
}

TEST(WordEditingDb, AddingKotStoresKotInUpperCase) {
    TestDictionary dictionary({QStringLiteral("PIES")});
    EXPECT_FALSE(WordEditing::add(targetOf(dictionary), QStringLiteral("kot")).has_value());
    EXPECT_EQ(wordsOf(dictionary), (QStringList{QStringLiteral("1|PIES"), QStringLiteral("2|KOT")}));
    EXPECT_EQ(WordEditing::addedMessage(QStringLiteral("kot")),
              QStringLiteral("Wyraz 'KOT' został dodany do bazy danych."));
}

TEST(WordEditingDb, AnExistingWordIsRefusedWithItsUpperCaseText) {
    TestDictionary dictionary({QStringLiteral("KOT")});
    EXPECT_EQ(WordEditing::add(targetOf(dictionary), QStringLiteral("kot")).value_or(QString()),
              QStringLiteral("Wyraz 'KOT' istnieje już w bazie danych."));
    EXPECT_EQ(wordsOf(dictionary), QStringList{QStringLiteral("1|KOT")});
}

TEST(WordEditingDb, RefusedModificationsWriteNothing) {
    TestDictionary dictionary({QStringLiteral("KOT"), QStringLiteral("PIES")});
    const Target target = targetOf(dictionary);
    EXPECT_EQ(WordEditing::update(target, QStringLiteral("KOT "), QStringLiteral("kot")).value_or(QString()),
              QStringLiteral("Pole 'Nowy wyraz' jest identyczne jak pole 'Obecny wyraz'."));
    EXPECT_EQ(WordEditing::update(target, QStringLiteral("KOT "), QStringLiteral("pies")).value_or(QString()),
              QStringLiteral("Wyraz 'PIES' istnieje już w bazie danych."));
    EXPECT_EQ(WordEditing::update(target, QStringLiteral("KOT "), QStringLiteral("  ")).value_or(QString()),
              QString::fromUtf8(Empty));
    EXPECT_EQ(wordsOf(dictionary), (QStringList{QStringLiteral("1|KOT"), QStringLiteral("2|PIES")}));
}

TEST(WordEditingDb, AModificationKeepsTheIdentifierAndSoTheDescriptions) {
    TestDictionary dictionary({QStringLiteral("KOT"), QStringLiteral("PIES")},
                              {{1, QStringLiteral("zwierzę")}});
    // A leading space is a forbidden character: the word stays.
    EXPECT_EQ(WordEditing::update(targetOf(dictionary), QStringLiteral("KOT "), QStringLiteral(" kocur"))
                  .value_or(QString()),
              QString::fromUtf8(Forbidden));
    EXPECT_EQ(wordsOf(dictionary).front(), QStringLiteral("1|KOT"));
    EXPECT_FALSE(WordEditing::update(targetOf(dictionary), QStringLiteral("KOT "), QStringLiteral("kocur")));
    EXPECT_EQ(wordsOf(dictionary), (QStringList{QStringLiteral("1|KOCUR"), QStringLiteral("2|PIES")}));
    EXPECT_EQ(descriptionsOf(dictionary), QStringList{QStringLiteral("1|zwierzę")});
    EXPECT_EQ(WordEditing::changedMessage(QStringLiteral("KOT "), QStringLiteral("kocur")),
              QStringLiteral("Wyraz 'KOT' został zmieniony na 'KOCUR'."));
}

TEST(WordEditingDb, DeletingWordsTakesTheirDescriptionsAndNothingElse) {
    TestDictionary dictionary(
        {QStringLiteral("KOT"), QStringLiteral("O'NEIL"), QStringLiteral("PIES")},
        {{1, QStringLiteral("zwierzę")}, {2, QStringLiteral("nazwisko")}, {3, QStringLiteral("szczeka")}});
    WordEditing::deleteWords(targetOf(dictionary), {QStringLiteral("KOT"), QStringLiteral("O'NEIL")});
    EXPECT_EQ(wordsOf(dictionary), QStringList{QStringLiteral("3|PIES")});
    EXPECT_EQ(descriptionsOf(dictionary), QStringList{QStringLiteral("3|szczeka")});
}

TEST(WordEditingDb, AFailedWordDeleteLeavesTheDescriptionsToo) {
    TestDictionary dictionary({QStringLiteral("KOT"), QStringLiteral("PIES")},
                              {{1, QStringLiteral("zwierzę")}, {2, QStringLiteral("szczeka")}});
    // The second statement fails; the first must not stay done.
    dictionary.exec(QStringLiteral("CREATE TRIGGER NoWordDelete BEFORE DELETE ON WYRAZY "
                                   "BEGIN SELECT RAISE(ABORT, 'nie wolno'); END"));
    EXPECT_THROW(
        WordEditing::deleteWords(targetOf(dictionary), {QStringLiteral("KOT"), QStringLiteral("PIES")}),
        AppError);
    EXPECT_EQ(wordsOf(dictionary), (QStringList{QStringLiteral("1|KOT"), QStringLiteral("2|PIES")}));
    EXPECT_EQ(descriptionsOf(dictionary),
              (QStringList{QStringLiteral("1|zwierzę"), QStringLiteral("2|szczeka")}));
    // And the file is usable for the next write.
    dictionary.exec(QStringLiteral("DROP TRIGGER NoWordDelete"));
    WordEditing::deleteWords(targetOf(dictionary), {QStringLiteral("KOT")});
    EXPECT_EQ(wordsOf(dictionary), QStringList{QStringLiteral("2|PIES")});
}

TEST(WordEditingDb, AReadOnlyDatabaseRefusesTheWrite) {
    TestDictionary dictionary({QStringLiteral("KOT")});
    const Target readOnly{dictionary.connectionString(true), 30};
    EXPECT_THROW(WordEditing::add(readOnly, QStringLiteral("pies")), AppError);
    EXPECT_THROW(WordEditing::deleteWords(readOnly, {QStringLiteral("KOT")}), AppError);
    EXPECT_EQ(wordsOf(dictionary), QStringList{QStringLiteral("1|KOT")});
}

} // namespace
