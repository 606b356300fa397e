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
    {"nothing", "", Empty},       {"spaces_only", "   ", Empty},      {"trailing_space", "kot ", Forbidden},
    {"digit", "kot1", Forbidden}, {"apostrophe", "o'kot", Forbidden}, {"polish_lower_case", "żółw", nullptr},
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

TEST(WordEditingSql, ManyIsTheCaptionEndingInY) {
    EXPECT_TRUE(WordEditing::deletesMany("Usuń wyrazy"));
    EXPECT_FALSE(WordEditing::deletesMany("Usuń wyraz"));
}

TEST(WordEditingDb, AddingStoresTheWordInUpperCaseOnce) {
    TestDictionary dictionary({"PIES"});
    EXPECT_FALSE(WordEditing::add(targetOf(dictionary), "kot").has_value());
    EXPECT_EQ(WordEditing::add(targetOf(dictionary), "Kot").value_or(QString()),
              "Wyraz 'KOT' istnieje już w bazie danych.");
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|PIES", "2|KOT"}));
    EXPECT_EQ(WordEditing::addedMessage("kot"), "Wyraz 'KOT' został dodany do bazy danych.");
}

TEST(WordEditingDb, RefusedModificationsWriteNothing) {
    TestDictionary dictionary({"KOT", "PIES"});
    const Target target = targetOf(dictionary);
    EXPECT_EQ(WordEditing::update(target, "KOT ", "kot").value_or(QString()),
              "Pole 'Nowy wyraz' jest identyczne jak pole 'Obecny wyraz'.");
    EXPECT_EQ(WordEditing::update(target, "KOT ", "pies").value_or(QString()),
              "Wyraz 'PIES' istnieje już w bazie danych.");
    EXPECT_EQ(WordEditing::update(target, "KOT ", "  ").value_or(QString()), QString::fromUtf8(Empty));
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|KOT", "2|PIES"}));
}

TEST(WordEditingDb, AModificationKeepsTheIdentifierAndSoTheDescriptions) {
    TestDictionary dictionary({"KOT", "PIES"}, {{1, "zwierzę"}});
    // A leading space is a forbidden character: the word stays.
    EXPECT_EQ(WordEditing::update(targetOf(dictionary), "KOT ", " kocur").value_or(QString()),
              QString::fromUtf8(Forbidden));
    EXPECT_EQ(wordsOf(dictionary).front(), "1|KOT");
    EXPECT_FALSE(WordEditing::update(targetOf(dictionary), "KOT ", "kocur"));
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|KOCUR", "2|PIES"}));
    EXPECT_EQ(descriptionsOf(dictionary), QStringList{"1|zwierzę"});
    EXPECT_EQ(WordEditing::changedMessage("KOT ", "kocur"), "Wyraz 'KOT' został zmieniony na 'KOCUR'.");
}

TEST(WordEditingDb, DeletingWordsTakesTheirDescriptionsAndNothingElse) {
    TestDictionary dictionary({"KOT", "O'NEIL", "PIES"}, {{1, "zwierzę"}, {2, "nazwisko"}, {3, "szczeka"}});
    WordEditing::deleteWords(targetOf(dictionary), {"KOT", "O'NEIL"});
    EXPECT_EQ(wordsOf(dictionary), QStringList{"3|PIES"});
    EXPECT_EQ(descriptionsOf(dictionary), QStringList{"3|szczeka"});
}

TEST(WordEditingDb, AFailedWordDeleteLeavesTheDescriptionsToo) {
    TestDictionary dictionary({"KOT", "PIES"}, {{1, "zwierzę"}, {2, "szczeka"}});
    // The second statement fails; the first must not stay done.
    dictionary.exec(QStringLiteral("CREATE TRIGGER NoWordDelete BEFORE DELETE ON WYRAZY "
                                   "BEGIN SELECT RAISE(ABORT, 'nie wolno'); END"));
    EXPECT_THROW(WordEditing::deleteWords(targetOf(dictionary), {"KOT", "PIES"}), AppError);
    EXPECT_EQ(wordsOf(dictionary), (QStringList{"1|KOT", "2|PIES"}));
    EXPECT_EQ(descriptionsOf(dictionary), (QStringList{"1|zwierzę", "2|szczeka"}));
    // And the file is usable for the next write.
    dictionary.exec("DROP TRIGGER NoWordDelete");
    WordEditing::deleteWords(targetOf(dictionary), {"KOT"});
    EXPECT_EQ(wordsOf(dictionary), QStringList{"2|PIES"});
}

TEST(WordEditingDb, AReadOnlyDatabaseRefusesTheWrite) {
    TestDictionary dictionary({"KOT"});
    const Target readOnly{dictionary.connectionString(true), 30};
    EXPECT_THROW(WordEditing::add(readOnly, "pies"), AppError);
    EXPECT_THROW(WordEditing::deleteWords(readOnly, {"KOT"}), AppError);
    EXPECT_EQ(wordsOf(dictionary), QStringList{"1|KOT"});
}

} // namespace
