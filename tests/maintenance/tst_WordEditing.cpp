#include "maintenance/DescriptionList.h"
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

TEST(WordEditingSql, ManyIsTheCaptionEndingInY) {
    EXPECT_TRUE(WordEditing::deletesMany("Usuń wyrazy"));
    EXPECT_FALSE(WordEditing::deletesMany("Usuń wyraz"));
}

TEST(WordEditingDb, AddsAndRenamesInUpperCaseKeepingTheIdentifierAndRefusalsWriteNothing) {
    TestDictionary dictionary({"KOT", "PIES"}, {{1, "zwierzę"}});
    const Target target = targetOf(dictionary);
    // Not blank, then letters only: a space, even a trailing one, is a forbidden character.
    for (const char* typed : {"   ", "kot ", "o'kot"})
        EXPECT_EQ(WordEditing::add(target, typed).value_or(""), typed[0] == ' ' ? Empty : Forbidden) << typed;
    EXPECT_FALSE(WordEditing::add(target, "żółw").has_value());
    EXPECT_EQ(WordEditing::add(target, "Żółw").value_or(""), "Wyraz 'ŻÓŁW' istnieje już w bazie danych.");
    const auto refusal = [&](const char* typed) {
        return WordEditing::update(target, "KOT ", typed).value_or("");
    };
    EXPECT_EQ(refusal("kot"), "Pole 'Nowy wyraz' jest identyczne jak pole 'Obecny wyraz'.");
    EXPECT_EQ(refusal("pies"), "Wyraz 'PIES' istnieje już w bazie danych.");
    EXPECT_EQ(refusal(" kocur"), QString::fromUtf8(Forbidden)); // a leading space is a forbidden character
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|KOT", "2|PIES", "3|ŻÓŁW"}));
    EXPECT_FALSE(WordEditing::update(target, "KOT ", "kocur"));
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|KOCUR", "2|PIES", "3|ŻÓŁW"}));
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

TEST(DescriptionListDb, ListsAddsAndRemovesTheTextsOfItsOwnWordOnly) {
    TestDictionary dictionary({"KOT", "O'NEIL"},
                              {{1, "zwierzę"}, {1, "b'c"}, {2, "a"}, {1, "b'c"}, {1, "c"}});
    const Target target = targetOf(dictionary);
    DescriptionList cat, name;
    cat.init("KOT");
    cat.load(target);
    name.init("o'neil ");
    EXPECT_EQ(name.load(target), QStringList{"a"});
    EXPECT_EQ(cat.add(target, "  zwierzę ").value_or(QString()),
              "Opis 'zwierzę' istnieje już w bazie danych.");
    EXPECT_EQ(cat.add(target, "   ").value_or(QString()), "Proszę wypełnić pole 'Nowy opis'.");
    EXPECT_FALSE(name.add(target, "zwierzę").has_value());
    EXPECT_FALSE(name.add(target, "  Kot z Cheshire, l'chat  ").has_value());
    cat.remove(target, {"zwierzę", "b'c"});
    EXPECT_EQ(descriptionsOf(dictionary),
              (QStringList{"1|c", "2|a", "2|Kot z Cheshire, l'chat", "2|zwierzę"}));
    EXPECT_EQ(DescriptionList::addedMessage("  Kot z Cheshire  "),
              "Opis 'Kot z Cheshire' został dodany do bazy danych.");
}

TEST(DescriptionListDb, AWordNotInTheDictionaryNeverReachesAnotherWordsDescriptions) {
    // Descriptions under identifier 0, the value an identifier starts with.
    TestDictionary dictionary({"KOT"}, {{0, "obcy"}, {1, "swój"}});
    DescriptionList list;
    list.init("BRAK");
    EXPECT_TRUE(list.load(targetOf(dictionary)).isEmpty());
    EXPECT_FALSE(list.found());
    EXPECT_EQ(list.add(targetOf(dictionary), "nowy").value_or(QString()), list.notFoundMessage());
    EXPECT_ANY_THROW(list.remove(targetOf(dictionary), {"obcy"}));
    EXPECT_EQ(descriptionsOf(dictionary), (QStringList{"0|obcy", "1|swój"}));
}

} // namespace
