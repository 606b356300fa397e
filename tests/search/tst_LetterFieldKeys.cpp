#include "search/LetterFieldKeys.h"
#include "search/LetterFieldRow.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Fields as a window holds them: a text set to a new value raises the change
// event, which reaches the keys as the window's change handler passes it on.
class FakeRow : public LetterFieldRow {
public:
    FakeRow(const QStringList& texts, int active) : texts(texts), active(active), keys(*this) {}

    int activeCount() const override { return active; }
    QString text(int index) const override { return texts.at(index); }
    void setText(int index, const QString& text) override {
        if (texts.at(index) == text)
            return;
        texts[index] = text;
        keys.change(index);
    }
    void setFocus(int index) override { focus = index; }

    QStringList texts;
    int active;
    int focus = 0;
    LetterFieldKeys keys;
};

// "AB..": one character per field, "." for an empty one.
QStringList cells(const char* row) {
    QStringList texts;
    for (const QChar c : QString::fromUtf8(row))
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

// clang-format off
const KeyCase keyCases[] = {
    {"letter_fills_upper_and_moves_on", 8, "........", 0, 0, "k", "K.......", 1, R::Ordinary},
    {"foreign_letter_keeps_the_old_one", 8, "A.......", 0, 0, "é", "A.......", 0, R::Ordinary},
    {"two_characters_are_no_key", 8, "Q.......", 0, 0, "ab", "Q.......", 0, R::Ordinary},
    {"last_of_fewer_active_fields_stays", 5, "....QQQ.", 4, 0, "ż", "....ŻQQ.", 4, R::Ordinary},
    {"backspace_empties_field_before", 8, "ABCD....", 3, Qt::Key_Backspace, "", "AB.D....", 2, R::Handled},
    {"backspace_in_first_field_does_nothing", 8, "A.......", 0, Qt::Key_Backspace, "", "A.......", 0, R::Handled},
    {"left_moves_back", 8, "ABCD....", 3, Qt::Key_Left, "", "ABCD....", 2, R::Handled},
    {"right_moves_on", 8, "ABCD....", 1, Qt::Key_Right, "", "ABCD....", 2, R::Handled},
    {"space_empties_and_moves_on", 8, "ABCD....", 1, Qt::Key_Space, "", "A.CD....", 2, R::Handled},
    {"space_in_last_active_field_empties_only", 5, "....ZZZ.", 4, Qt::Key_Space, "", ".....ZZ.", 4, R::Handled},
    {"delete_empties_and_stays", 8, "ABCD....", 1, Qt::Key_Delete, "", "A.CD....", 1, R::Handled},
    {"enter_asks_for_the_search", 8, "ABCD....", 1, Qt::Key_Return, "", "ABCD....", 1, R::StartSearch},
};
// clang-format on

class LetterKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(LetterKeys, TextsAndFocus) {
    const KeyCase& c = GetParam();
    FakeRow row(cells(c.before), c.active);
    row.focus = c.index;
    R result = R::Ordinary;
    if (c.key != 0)
        result = row.keys.keyDown(c.index, c.key);
    else
        row.keys.keyPress(c.index, QString::fromUtf8(c.typed));
    EXPECT_EQ(row.texts, cells(c.after));
    EXPECT_EQ(row.focus, c.focus);
    EXPECT_EQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(Table, LetterKeys, ::testing::ValuesIn(keyCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LetterKeys, LettersTypedInARowFillTheFieldsOneAfterAnother) {
    FakeRow row(cells("..............."), 8);
    for (const char* typed : {"k", "a", "r", "d", "y", "n", "a", "ł", "x"})
        row.keys.keyPress(row.focus, QString::fromUtf8(typed));
    EXPECT_EQ(row.texts.join(QString()), QString::fromUtf8("KARDYNAX"));
    EXPECT_EQ(row.focus, 7);
}

} // namespace
