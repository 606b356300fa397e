#pragma once

#include <QString>

class LetterFieldRow;

// The keys of a row of single-letter fields, like a cursor moving through
// crossword cells: a letter fills the field in upper case and moves on, other
// characters change nothing, the arrows, Backspace, Delete and Space move or
// clear, Enter asks for the row's search.
//
// A typed character goes the way the fields always took it: keyPress keeps the
// field's text (oldText, the window's OldFieldText or OldRackText) and the
// character (typedChar, TypedChar or TypedRackChar) and empties the field; the
// change that follows, raised by the emptying or by the character going into
// the empty field, decides between the letter in upper case and the old text.
class LetterFieldKeys {
public:
    enum class KeyDown {
        Ordinary,    // no rule for the key: the field handles it as usual
        Handled,     // done; the field must not act on the key itself
        StartSearch, // Enter: run the row's search; the field is unchanged
    };

    explicit LetterFieldKeys(LetterFieldRow& row) : m_row(row) {}

    // Rules of the key-down event in field `index`; `key` is a Qt::Key code.
    KeyDown keyDown(int index, int key);
    // The character event in field `index`. The field itself never inserts
    // the character: a field holding a letter is full, and an empty one gets
    // it here, as the field would, so that its change event decides.
    void keyPress(int index, const QString& typed);
    // The change event of field `index`; acts only while a typed character is
    // being handled.
    void change(int index);

    QString oldText;
    QString typedChar;

private:
    LetterFieldRow& m_row;
};
