#pragma once

#include <QObject>

#include <functional>

class QEvent;

// Hands every event of one object to a function first; when the function
// answers true the event is done with and the object never sees it. The hook
// lives as long as its object.
class EventHook : public QObject {
    Q_OBJECT
public:
    EventHook(QObject* target, std::function<bool(QEvent*)> handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QEvent*)> m_handler;
};
