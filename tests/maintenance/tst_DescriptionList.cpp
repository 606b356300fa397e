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

TEST(DescriptionListDb, AddedTextIsTrimmedAndADuplicateForItsWordOnlyAndRemovalTakesEveryCopy) {
    TestDictionary dictionary({"KOT", "PIES"}, {{1, "zwierzę"}, {1, "b'c"}, {1, "b'c"}, {1, "c"}, {2, "a"}});
    const DescriptionList::Target target = targetOf(dictionary);
    DescriptionList cat, dog;
    cat.init("KOT");
    cat.load(target);
    EXPECT_EQ(cat.add(target, "  zwierzę ").value_or(QString()),
              "Opis 'zwierzę' istnieje już w bazie danych.");
    EXPECT_EQ(cat.add(target, "   ").value_or(QString()), "Proszę wypełnić pole 'Nowy opis'.");
    dog.init("PIES");
    dog.load(target);
    EXPECT_FALSE(dog.add(target, "zwierzę").has_value());
    EXPECT_FALSE(dog.add(target, "  Kot z Cheshire, l'chat  ").has_value());
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
