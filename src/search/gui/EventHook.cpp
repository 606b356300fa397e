#include "search/gui/EventHook.h"

#include <QEvent>

EventHook::EventHook(QObject* target, std::function<bool(QEvent*)> handler)
    : QObject(target), m_handler(std::move(handler)) {
    target->installEventFilter(this);
}

bool EventHook::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && m_handler)
        return m_handler(event);
    return false;
}
