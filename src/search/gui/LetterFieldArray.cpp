#include "search/gui/LetterFieldArray.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

LetterFieldArray::LetterFieldArray(const QVector<QLineEdit*>& fields, QScrollBar* count, Handlers handlers,
                                   QObject* parent)
    : QObject(parent), m_fields(fields), m_count(count), m_handlers(std::move(handlers)) {
    for (int i = 0; i < m_fields.size(); ++i) {
        QLineEdit* field = m_fields.at(i);
        field->setAcceptDrops(false);
        field->setContextMenuPolicy(Qt::NoContextMenu);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this, i] {
            if (m_handlers.change)
                m_handlers.change(i);
        });
    }
}

int LetterFieldArray::activeCount() const {
    return m_count->value();
}

QString LetterFieldArray::text(int index) const {
    return m_fields.at(index)->text();
}

void LetterFieldArray::setText(int index, const QString& text) {
    QLineEdit* field = m_fields.at(index);
    field->setText(text);
    // The caret stands before the letter, as after any change the program makes.
    field->setCursorPosition(0);
}

void LetterFieldArray::setFocus(int index) {
    m_fields.at(index)->setFocus(Qt::OtherFocusReason);
}

int LetterFieldArray::indexOf(const QObject* object) const {
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i) == object)
            return i;
    return -1;
}

bool LetterFieldArray::typesCharacter(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (mods & Qt::MetaModifier)
        return false;
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    return ctrl == alt;
}

bool LetterFieldArray::keyPress(int index, QKeyEvent& event) {
    if (m_handlers.keyDown && m_handlers.keyDown(index, event.key()))
        return true;
    // The field holds a typed letter or nothing: no pasting, cutting or undoing.
    if (event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
        event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo))
        return true;
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false; // Tab, Home, Ctrl+C and the like keep their usual effect
    if (typesCharacter(event) && m_handlers.keyPress)
        m_handlers.keyPress(index, text);
    return true;
}

bool LetterFieldArray::eventFilter(QObject* watched, QEvent* event) {
    const int index = indexOf(watched);
    if (index < 0)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(index, *static_cast<QKeyEvent*>(event));
    case QEvent::InputMethod: {
        // Composed characters arrive here instead of as key presses.
        const QString commit = static_cast<QInputMethodEvent*>(event)->commitString();
        if (!commit.isEmpty() && m_handlers.keyPress)
            m_handlers.keyPress(index, commit);
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_handlers.mouseUp)
            m_handlers.mouseUp(index);
        return false;
    default:
        return false;
    }
}
