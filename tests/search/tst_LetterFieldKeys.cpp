#include "search/LetterFieldKeys.h"
#include "search/LetterFieldRow.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <optional>

namespace {

// Fields as a window holds them: a text set to a new value raises the change
// event, which reaches the keys as the window's change handler passes it on.
class FakeRow : public LetterFieldRow {
public:
    FakeRow(int size, int active) : texts(size), active(active) {}

    int activeCount() const override { return active; }
    QString text(int index) const override { return texts.at(index); }
    void setText(int index, const QString& text) override {
        if (texts.at(index) == text)
            return;
        texts[index] = text;
        ++changes;
        if (keys)
            keys->change(index);
    }
    void setFocus(int index) override { focus = index; }

    QStringList texts;
    int active;
    int focus = -1;
    int changes = 0;
    LetterFieldKeys* keys = nullptr;
};

// "AB..": one character per field, "." for an empty one.
QStringList cells(const char* row) {
    QStringList texts;
    const QString text = QString::fromUtf8(row);
    for (const QChar c : text)
        texts << (c == QLatin1Char('.') ? QString() : QString(c));
    return texts;
}

struct KeyCase {
    const char* name;
    int active;
    const char* before;
    int index;
    int key;           // 0: typed character instead
    const char* typed; // UTF-8
    const char* after;
    int focus; // where the focus ends; the field itself when it does not move
    LetterFieldKeys::KeyDown result;
};

using R = LetterFieldKeys::KeyDown;

const KeyCase keyCases[] = {
    {"letter_fills_upper_and_moves_on", 8, "........", 0, 0, "k", "K.......", 1, R::Ordinary},
    {"polish_letter_in_last_active_field_stays", 8, "........", 7, 0, "ż", ".......Ż", 7, R::Ordinary},
    {"digit_keeps_letter", 8, "A.......", 0, 0, "5", "A.......", 0, R::Ordinary},
    {"foreign_letter_refused", 8, "........", 0, 0, "é", "........", 0, R::Ordinary},
    {"two_characters_are_no_key", 8, "Q.......", 0, 0, "ab", "Q.......", 0, R::Ordinary},
    {"last_of_fewer_active_fields_stays", 5, "....QQQ.", 4, 0, "m", "....MQQ.", 4, R::Ordinary},
    {"backspace_empties_field_before", 8, "ABCD....", 3, Qt::Key_Backspace, "", "AB.D....", 2, R::Handled},
    {"backspace_in_first_field_does_nothing", 8, "A.......", 0, Qt::Key_Backspace, "", "A.......", 0,
     R::Handled},
    {"left_moves_back", 8, "ABCD....", 3, Qt::Key_Left, "", "ABCD....", 2, R::Handled},
    {"space_empties_and_moves_on", 8, "ABCD....", 1, Qt::Key_Space, "", "A.CD....", 2, R::Handled},
    {"space_in_last_active_field_empties_only", 8, ".......Z", 7, Qt::Key_Space, "", "........", 7,
     R::Handled},
    {"delete_empties_and_stays", 8, "ABCD....", 1, Qt::Key_Delete, "", "A.CD....", 1, R::Handled},
    {"enter_asks_for_the_search", 8, "ABCD....", 1, Qt::Key_Return, "", "ABCD....", 1, R::StartSearch},
};

class LetterKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(LetterKeys, TextsAndFocus) {
    const KeyCase& c = GetParam();
    const QStringList before = cells(c.before);
    FakeRow row(static_cast<int>(before.size()), c.active);
    row.texts = before;
    LetterFieldKeys keys(row);
    row.keys = &keys;
    row.focus = c.index;

    R result = R::Ordinary;
    if (c.key != 0)
        result = keys.keyDown(c.index, c.key);
    else
        keys.keyPress(c.index, QString::fromUtf8(c.typed));

    EXPECT_EQ(row.texts, cells(c.after));
    EXPECT_EQ(row.focus, c.focus);
    EXPECT_EQ(result, c.result);
    // Nothing is left over for the next change.
    EXPECT_TRUE(keys.typedChar.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Table, LetterKeys, ::testing::ValuesIn(keyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LetterKeys, ChangesByTheProgramCauseNothingMore) {
    FakeRow row(3, 3);
    LetterFieldKeys keys(row);
    row.keys = &keys;
    row.focus = 0;
    // A clear button or a search sets texts with no key being handled.
    row.setText(0, "x");
    row.setText(1, "5");
    EXPECT_EQ(row.texts, QStringList({"x", "5", ""}));
    EXPECT_EQ(row.focus, 0);
}

TEST(LetterKeys, LettersTypedInARowFillTheFieldsOneAfterAnother) {
    FakeRow row(15, 8);
    LetterFieldKeys keys(row);
    row.keys = &keys;
    row.focus = 0;
    for (const char* typed : {"k", "a", "r", "d", "y", "n", "a", "ł", "x"})
        keys.keyPress(row.focus, QString::fromUtf8(typed));
    EXPECT_EQ(row.texts.mid(0, 8).join(QString()), QString::fromUtf8("KARDYNAX"));
    EXPECT_EQ(row.focus, 7);
    for (int i = 8; i < 15; ++i)
        EXPECT_TRUE(row.texts.at(i).isEmpty());
}

} // namespace
