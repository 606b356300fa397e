#include "search/gui/AbortKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

AbortKey::AbortKey(QWidget* window, std::function<QPushButton*()> runningButton)
    : m_window(window), m_runningButton(std::move(runningButton)) {
    // The key goes to whichever control has the focus (the abort button, the
    // results list), so the filter watches the whole program.
    qApp->installEventFilter(this);
}

bool AbortKey::isAbortKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_P && (event.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}

bool AbortKey::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    if (!isAbortKey(*static_cast<QKeyEvent*>(event)))
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_window || widget->window() != m_window)
        return false;
    QPushButton* button = m_runningButton ? m_runningButton() : nullptr;
    if (!button || !button->isEnabled())
        return false;
    // Claiming the override keeps the key from the shortcut map; the key
    // press that follows is the abort click.
    event->accept();
    if (type == QEvent::KeyPress)
        button->click();
    return true;
}
