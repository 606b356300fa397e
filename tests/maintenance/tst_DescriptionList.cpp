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

TEST(DescriptionListSql, TextsUseTheIdentifierFoundOnce) {
    TestDictionary dictionary({QStringLiteral("PIES"), QStringLiteral("O'NEIL")});
    DescriptionList list;
    list.init(QStringLiteral("O'NEIL "));
    EXPECT_EQ(list.idSql(), QStringLiteral("SELECT TOP 1 WyrazID FROM WYRAZY WHERE Wyraz = 'O''NEIL'"));
    list.load(targetOf(dictionary));
    ASSERT_TRUE(list.found());
    EXPECT_EQ(list.wordId(), 2);
    EXPECT_EQ(list.listSql(), QStringLiteral("SELECT Opis FROM OPISY WHERE WyrazID = 2"));
    EXPECT_EQ(list.duplicateSql(QStringLiteral(" ktoś ")),
              QStringLiteral("SELECT TOP 1 Opis FROM OPISY WHERE WyrazID = 2 AND Opis = 'ktoś'"));
    EXPECT_EQ(list.insertSql(QStringLiteral("rock'n'roll ")),
              QStringLiteral("INSERT INTO OPISY (WyrazID, Opis) VALUES (2, 'rock''n''roll')"));
    EXPECT_EQ(list.removeSql({QStringLiteral("a"), QStringLiteral("b'c")}),
              QStringLiteral("DELETE FROM OPISY WHERE WyrazID = 2 AND Opis IN ('a', 'b''c')"));
}

TEST(DescriptionListDb, ListsTheWordsDescriptionsOnly) {
    TestDictionary dictionary({QStringLiteral("KOT"), QStringLiteral("PIES")},
                              {{1, QStringLiteral("zwierzę")},
                               {2, QStringLiteral("szczeka")},
                               {1, QStringLiteral("mruczy")},
                               {1, QStringLiteral("łowi myszy")}});
    DescriptionList list;
    list.init(QStringLiteral("kot"));
    EXPECT_EQ(sorted(list.load(targetOf(dictionary))),
              sorted({QStringLiteral("zwierzę"), QStringLiteral("mruczy"), QStringLiteral("łowi myszy")}));
}

TEST(DescriptionListDb, ADuplicateIsRefusedPerWordOnly) {
    TestDictionary dictionary({QStringLiteral("KOT"), QStringLiteral("PIES")},
                              {{1, QStringLiteral("zwierzę")}});
    DescriptionList cat;
    cat.init(QStringLiteral("KOT"));
    cat.load(targetOf(dictionary));
    EXPECT_EQ(cat.add(targetOf(dictionary), QStringLiteral("  zwierzę ")).value_or(QString()),
              QStringLiteral("Opis 'zwierzę' istnieje już w bazie danych."));
    DescriptionList dog;
    dog.init(QStringLiteral("PIES"));
    dog.load(targetOf(dictionary));
    EXPECT_FALSE(dog.add(targetOf(dictionary), QStringLiteral("zwierzę")).has_value());
    EXPECT_EQ(descriptionsOf(dictionary),
              (QStringList{QStringLiteral("1|zwierzę"), QStringLiteral("2|zwierzę")}));
}

TEST(DescriptionListDb, AddedTextIsTrimmedKeepsItsCaseAndOneApostrophe) {
    TestDictionary dictionary({QStringLiteral("KOT")});
    DescriptionList list;
    list.init(QStringLiteral("KOT"));
    list.load(targetOf(dictionary));
    EXPECT_EQ(list.add(targetOf(dictionary), QStringLiteral("   ")).value_or(QString()),
              QStringLiteral("Proszę wypełnić pole 'Nowy opis'."));
    EXPECT_FALSE(list.add(targetOf(dictionary), QStringLiteral("  Kot z Cheshire, l'chat  ")).has_value());
    EXPECT_EQ(descriptionsOf(dictionary), QStringList{QStringLiteral("1|Kot z Cheshire, l'chat")});
    EXPECT_EQ(DescriptionList::addedMessage(QStringLiteral("  Kot z Cheshire  ")),
              QStringLiteral("Opis 'Kot z Cheshire' został dodany do bazy danych."));
}

TEST(DescriptionListDb, RemovingTakesEveryCopyOfTheTextsOfThisWord) {
    TestDictionary dictionary({QStringLiteral("KOT"), QStringLiteral("PIES")}, {{1, QStringLiteral("a")},
                                                                                {1, QStringLiteral("b")},
                                                                                {1, QStringLiteral("b")},
                                                                                {1, QStringLiteral("c")},
                                                                                {2, QStringLiteral("a")}});
    DescriptionList list;
    list.init(QStringLiteral("KOT"));
    list.load(targetOf(dictionary));
    list.remove(targetOf(dictionary), {QStringLiteral("a"), QStringLiteral("b")});
    EXPECT_EQ(descriptionsOf(dictionary), (QStringList{QStringLiteral("1|c"), QStringLiteral("2|a")}));
}

TEST(DescriptionListDb, AWordNotInTheDictionaryNeverReachesAnotherWordsDescriptions) {
    // Descriptions under identifier 0, the value an identifier starts with.
    TestDictionary dictionary({QStringLiteral("KOT")},
                              {{0, QStringLiteral("obcy")}, {1, QStringLiteral("swój")}});
    DescriptionList list;
    list.init(QStringLiteral("BRAK"));
    EXPECT_TRUE(list.load(targetOf(dictionary)).isEmpty());
    EXPECT_FALSE(list.found());
    EXPECT_EQ(list.add(targetOf(dictionary), QStringLiteral("nowy")).value_or(QString()),
              list.notFoundMessage());
    EXPECT_ANY_THROW(list.remove(targetOf(dictionary), {QStringLiteral("obcy")}));
    EXPECT_EQ(descriptionsOf(dictionary), (QStringList{QStringLiteral("0|obcy"), QStringLiteral("1|swój")}));
    EXPECT_EQ(list.notFoundMessage(),
              QStringLiteral("Wyrazu 'BRAK' nie ma w bazie danych: nie można zarządzać jego opisami."));
}

} // namespace
