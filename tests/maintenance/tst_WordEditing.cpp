#include "maintenance/WordEditing.h"

#include "db/AppError.h"
#include "maintenance/MaintenanceDb.h"

#include <gtest/gtest.h>

namespace {

using Target = WordEditing::Target;

Target targetOf(const TestDictionary& dictionary) {
    return {dictionary.connectionString(), 30};
}

const char* const Empty = "Proszę wypełnić pole 'Nowy wyraz'.";
const char* const Forbidden = "Pole 'Nowy wyraz' zawiera niedozwolony znak.";

TEST(WordEditing, ATypedWordIsFirstNonBlankThenOfAllowedLettersOnly) {
    const struct {
        const char *typed, *refusal; // nullptr: accepted
    } cases[] = {{"   ", Empty}, {"kot ", Forbidden}, {"o'kot", Forbidden}, {"żółw", nullptr}};
    for (const auto& c : cases)
        EXPECT_EQ(WordEditing::checkTyped(QString::fromUtf8(c.typed)),
                  c.refusal ? std::optional(QString::fromUtf8(c.refusal)) : std::nullopt)
            << c.typed;
}

TEST(WordEditingSql, ManyIsTheCaptionEndingInY) {
    EXPECT_TRUE(WordEditing::deletesMany("Usuń wyrazy"));
    EXPECT_FALSE(WordEditing::deletesMany("Usuń wyraz"));
}

TEST(WordEditingDb, AddsAndRenamesInUpperCaseKeepingTheIdentifierAndRefusalsWriteNothing) {
    TestDictionary dictionary({"KOT", "PIES"}, {{1, "zwierzę"}});
    const Target target = targetOf(dictionary);
    EXPECT_FALSE(WordEditing::add(target, "kit").has_value());
    EXPECT_EQ(WordEditing::add(target, "Kit").value_or(QString()),
              "Wyraz 'KIT' istnieje już w bazie danych.");
    // clang-format off
    const struct { const char *typed, *refusal; } refused[] = {
        {"kot", "Pole 'Nowy wyraz' jest identyczne jak pole 'Obecny wyraz'."},
        {"pies", "Wyraz 'PIES' istnieje już w bazie danych."},
        {" kocur", Forbidden}, // a leading space is a forbidden character
    };
    // clang-format on
    for (const auto& c : refused)
        EXPECT_EQ(WordEditing::update(target, "KOT ", c.typed).value_or(QString()),
                  QString::fromUtf8(c.refusal));
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|KOT", "2|PIES", "3|KIT"}));
    EXPECT_FALSE(WordEditing::update(target, "KOT ", "kocur"));
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|KOCUR", "2|PIES", "3|KIT"}));
    EXPECT_EQ(descriptionsOf(dictionary), QStringList{"1|zwierzę"});
}

TEST(WordEditingDb, DeletingIsOneTransactionTakingTheWordsDescriptionsAndNothingElse) {
    TestDictionary dictionary({"KOT", "O'NEIL", "PIES"}, {{1, "zwierzę"}, {2, "nazwisko"}, {3, "szczeka"}});
    const QStringList words = wordsOf(dictionary), descriptions = descriptionsOf(dictionary);
    // The second statement fails; the first must not stay done.
    dictionary.exec(QStringLiteral("CREATE TRIGGER NoWordDelete BEFORE DELETE ON WYRAZY "
                                   "BEGIN SELECT RAISE(ABORT, 'nie wolno'); END"));
    EXPECT_THROW(WordEditing::deleteWords(targetOf(dictionary), {"KOT", "PIES"}), AppError);
    EXPECT_EQ(wordsOf(dictionary), words);
    EXPECT_EQ(descriptionsOf(dictionary), descriptions);
    // And the file is usable for the next write.
    dictionary.exec("DROP TRIGGER NoWordDelete");
    WordEditing::deleteWords(targetOf(dictionary), {"KOT", "O'NEIL"});
    EXPECT_EQ(wordsOf(dictionary), QStringList{"3|PIES"});
    EXPECT_EQ(descriptionsOf(dictionary), QStringList{"3|szczeka"});
}

TEST(WordEditingDb, AReadOnlyDatabaseRefusesTheWrite) {
    TestDictionary dictionary({"KOT"});
    const Target readOnly{dictionary.connectionString(true), 30};
    EXPECT_THROW(WordEditing::add(readOnly, "pies"), AppError);
    EXPECT_THROW(WordEditing::deleteWords(readOnly, {"KOT"}), AppError);
    EXPECT_EQ(wordsOf(dictionary), QStringList{"1|KOT"});
}

} // namespace
