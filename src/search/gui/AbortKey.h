#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

class QKeyEvent;
class QPushButton;

// Alt+P aborts a running search at once. The abort button "&Przerwij" shares
// its access key with the "&Plik" menu; the menu bar keeps its mnemonic while
// its menu is disabled, so the two would be ambiguous and the first Alt+P would
// only move the focus. While a search runs, this filter takes Alt+P from the
// shortcut map of the window and clicks the abort button itself.
class AbortKey : public QObject {
    Q_OBJECT
public:
    // `runningButton` answers the abort button of the running search, or null.
    AbortKey(QWidget* window, std::function<QPushButton*()> runningButton);

    static bool isAbortKey(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_window;
    std::function<QPushButton*()> m_runningButton;
};
