#include "maintenance/DescriptionList.h"

#include "maintenance/MaintenanceDb.h"

#include <gtest/gtest.h>

namespace {

DescriptionList::Target targetOf(const TestDictionary& dictionary) {
    return {dictionary.connectionString(), 30};
}

QStringList sorted(QStringList texts) {
    texts.sort();
    return texts;
}

TEST(DescriptionListDb, ListsTheWordsDescriptionsOnly) {
    TestDictionary dictionary({"PIES", "O'NEIL"},
                              {{2, "zwierzę"}, {1, "szczeka"}, {2, "mruczy"}, {2, "łowi myszy"}});
    DescriptionList list;
    list.init("o'neil ");
    EXPECT_EQ(sorted(list.load(targetOf(dictionary))), sorted({"zwierzę", "mruczy", "łowi myszy"}));
}

TEST(DescriptionListDb, AddedTextIsTrimmedKeepsItsCaseAndIsADuplicateForItsWordOnly) {
    TestDictionary dictionary({"KOT", "PIES"}, {{1, "zwierzę"}});
    DescriptionList cat;
    cat.init("KOT");
    cat.load(targetOf(dictionary));
    EXPECT_EQ(cat.add(targetOf(dictionary), "  zwierzę ").value_or(QString()),
              "Opis 'zwierzę' istnieje już w bazie danych.");
    EXPECT_EQ(cat.add(targetOf(dictionary), "   ").value_or(QString()), "Proszę wypełnić pole 'Nowy opis'.");
    DescriptionList dog;
    dog.init("PIES");
    dog.load(targetOf(dictionary));
    EXPECT_FALSE(dog.add(targetOf(dictionary), "zwierzę").has_value());
    EXPECT_FALSE(dog.add(targetOf(dictionary), "  Kot z Cheshire, l'chat  ").has_value());
    EXPECT_EQ(descriptionsOf(dictionary),
              (QStringList{"1|zwierzę", "2|Kot z Cheshire, l'chat", "2|zwierzę"}));
    EXPECT_EQ(DescriptionList::addedMessage("  Kot z Cheshire  "),
              "Opis 'Kot z Cheshire' został dodany do bazy danych.");
}

TEST(DescriptionListDb, RemovingTakesEveryCopyOfTheTextsOfThisWord) {
    TestDictionary dictionary({"KOT", "PIES"}, {{1, "a"}, {1, "b'c"}, {1, "b'c"}, {1, "c"}, {2, "a"}});
    DescriptionList list;
    list.init("KOT");
    list.load(targetOf(dictionary));
    list.remove(targetOf(dictionary), {"a", "b'c"});
    EXPECT_EQ(descriptionsOf(dictionary), (QStringList{"1|c", "2|a"}));
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
    EXPECT_EQ(list.notFoundMessage(),
              "Wyrazu 'BRAK' nie ma w bazie danych: nie można zarządzać jego opisami.");
}

} // namespace
