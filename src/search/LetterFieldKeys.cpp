#include "search/LetterFieldKeys.h"

#include "common/modMain.h"
#include "search/LetterFieldRow.h"

LetterFieldKeys::KeyDown LetterFieldKeys::keyDown(int index, int key) {
    const bool hasNext = index + 1 < m_row.activeCount();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyDown::StartSearch;
    case Qt::Key_Backspace:
        // The letter before the cursor goes; the field itself keeps its own.
        if (index >= 1) {
            m_row.setText(index - 1, QString());
            m_row.setFocus(index - 1);
        }
        return KeyDown::Handled;
    case Qt::Key_Delete:
        m_row.setText(index, QString());
        return KeyDown::Handled;
    case Qt::Key_Left:
        if (index >= 1)
            m_row.setFocus(index - 1);
        return KeyDown::Handled;
    case Qt::Key_Right:
        if (hasNext)
            m_row.setFocus(index + 1);
        return KeyDown::Handled;
    case Qt::Key_Space:
        m_row.setText(index, QString());
        if (hasNext)
            m_row.setFocus(index + 1);
        return KeyDown::Handled;
    default:
        return KeyDown::Ordinary;
    }
}

void LetterFieldKeys::keyPress(int index, const QString& typed) {
    // A field holds one character; anything longer is no key of ours.
    if (typed.size() != 1)
        return;
    oldText = m_row.text(index);
    typedChar = typed;
    // Emptying a field that held a letter raises its change, which decides.
    m_row.setText(index, QString());
    // The field was empty: the character goes in and its change decides.
    if (!typedChar.isEmpty())
        m_row.setText(index, typedChar);
    typedChar.clear();
}

void LetterFieldKeys::change(int index) {
    if (typedChar.size() != 1)
        return;
    typedChar = QString(modMain::UpperChar(typedChar.at(0)));
    if (!modMain::CheckChars(typedChar)) {
        m_row.setText(index, oldText);
    } else {
        m_row.setText(index, typedChar);
        if (index + 1 < m_row.activeCount())
            m_row.setFocus(index + 1);
    }
    typedChar.clear();
}
