#include "SearchWindowFixture.h"

#include <QClipboard>

namespace {

class LetterFieldsWindow : public SearchWindowTest {
protected:
    frmMain& shown() {
        frmMain& w = openWith({"KOT"});
        w.show();
        QApplication::setActiveWindow(&w);
        w.scrSearch1->setValue(8);
        return w;
    }
    // The first `count` letter fields, "." for an empty one.
    static QString row(const frmMain& w, int count) {
        QString texts;
        for (int i = 0; i < count; ++i)
            texts += w.T[i]->text().isEmpty() ? QStringLiteral(".") : w.T[i]->text();
        return texts;
    }
    static void fill(frmMain& w, const char* texts) {
        for (int i = 0; texts[i]; ++i)
            w.T[i]->setText(texts[i] == '.' ? QString() : QString(QChar(texts[i])));
    }
};

// A few rows that prove the keys reach the rules (the rules themselves are
// tested without a window); no key but Enter starts a search.
TEST_F(LetterFieldsWindow, KeysReachTheLetterFieldRules) {
    const struct {
        const char* name;
        const char* before; // T(0)..T(7), n = 8
        int field;
        int key;
        const char* text;
        const char* after;
        int focus;
    } cases[] = {
        {"k_fills_first_field_and_moves_on", "........", 0, Qt::Key_K, "k", "K.......", 1},
        {"backspace_empties_field_before", "ABCD....", 3, Qt::Key_Backspace, "\b", "AB.D....", 2},
        {"ctrl_letter_types_nothing", "A.......", 0, Qt::Key_B, "\x02", "A.......", 0},
    };
    frmMain& w = shown();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fill(w, c.before);
        w.T[c.field]->setFocus();
        const bool ctrl = QByteArray(c.name).startsWith("ctrl");
        key(w.T[c.field], c.key, QString::fromLatin1(c.text), ctrl ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(row(w, 8), QString(c.after));
        EXPECT_EQ(QApplication::focusWidget(), w.T[c.focus]);
        EXPECT_TRUE(w.panelText(1).isEmpty());
    }
}

TEST_F(LetterFieldsWindow, NothingIsPastedIntoALetterField) {
    frmMain& w = shown();
    QApplication::clipboard()->setText("x");
    w.T[0]->setFocus();
    key(w.T[0], Qt::Key_V, "\x16", Qt::ControlModifier);
    key(w.T[1], Qt::Key_Insert, QString(), Qt::ShiftModifier);
    EXPECT_EQ(row(w, 2), QString(".."));
    EXPECT_FALSE(w.T[0]->acceptDrops());
}

TEST_F(LetterFieldsWindow, ScrollBarSwitchesFieldsAndKeepsTheirLetters) {
    frmMain& w = shown();
    fill(w, "ABCDEFGH");
    w.scrSearch1->setValue(5);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(w.T[i]->isEnabled(), i < 5) << i;
    // The last active field now is T(4): a letter there stays.
    w.T[4]->setFocus();
    key(w.T[4], Qt::Key_X, "x");
    EXPECT_EQ(QApplication::focusWidget(), w.T[4]);
    w.scrSearch1->setValue(8);
    EXPECT_EQ(row(w, 8), QString("ABCDXFGH"));
    EXPECT_TRUE(w.T[7]->isEnabled());
}

} // namespace
