#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QWidget>

#include <functional>

// For GUI tests that trigger a command which opens a modal window with exec():
// `act` runs on the window once it is the active modal widget, and must close it
// (click a button, reject()). If no modal window turns up, the probe gives up
// after `attempts` polls 10 ms apart and `act` is never called, so the test sees that too.
inline void onNextModal(std::function<void(QWidget*)> act, int attempts = 200) {
    QTimer::singleShot(0, [act = std::move(act), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
            return;
        }
        if (attempts > 0)
            QTimer::singleShot(10, [act = std::move(act), attempts]() mutable {
                onNextModal(std::move(act), attempts - 1);
            });
    });
}

// The same for a window of a known class: `act` gets it typed, or never runs.
template <class Window> void onNextModalOf(std::function<void(Window*)> act, int attempts = 200) {
    onNextModal(
        [act = std::move(act)](QWidget* modal) {
            if (auto* window = qobject_cast<Window*>(modal))
                act(window);
            else if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject(); // not the expected window: close it so the test goes on
        },
        attempts);
}
