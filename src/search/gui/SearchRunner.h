#pragma once

#include "search/SearchKind.h"
#include "search/SearchRequest.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class AbortKey;
class QGroupBox;
class QPushButton;
class ResultsList;
class frmMain;
struct SearchOutcome;
struct ValidationFailure;

// The four search buttons of the main window. A click while the search runs
// (the button then reads "&Przerwij") is the abort click; any other click checks
// the database and the input, switches the window into the searching state,
// streams the rows into the results list, yielding to the event loop at the
// refresh points so the abort click can arrive, and shows the outcome in the
// status bar. When the run ends (normally, aborted or failed) the focus goes
// back to the control that had it when the run started.
class SearchRunner {
public:
    SearchRunner(frmMain& window, ResultsList& results);
    ~SearchRunner();

    void click(SearchKind kind);

    // The button and frame of a search, and the search as its controls read now.
    QPushButton* buttonOf(SearchKind kind) const;
    QGroupBox* frameOf(SearchKind kind) const;
    SearchRequest readRequest(SearchKind kind) const;
    // The button reading "&Przerwij" while a search runs, else null.
    QPushButton* runningButton() const;

private:
    void start(SearchKind kind);
    void abort(SearchKind kind);
    void run(const SearchRequest& request, quint64 run);
    void refuse(const ValidationFailure& failure);
    void errorEnd(const SearchOutcome& outcome);
    // The control that had the focus when the run started, or the search's
    // button when that one is gone or cannot take it.
    void restoreFocus(SearchKind kind);
    // Pending clicks, keys and repaints of the whole program are handled here.
    void yield();
    // A statement answered from memory reaches a refresh point every few
    // microseconds, and handling events costs more than that: after the first
    // refresh point of a run, events wait for one at least this long after
    // the last yield. The count in the status bar is set at every one.
    static constexpr qint64 RefreshIntervalMs = 15;

    frmMain& m_window;
    ResultsList& m_results;
    // Counts the runs started. After an abort every control is usable again
    // while the aborted run still waits in its yield, so another search can
    // start and end inside it; the aborted run then leaves the list and the
    // status bar to that newer run.
    quint64 m_runs = 0;
    qint64 m_lastYield = 0; // the program's tick count then
    QPointer<QWidget> m_focusAtStart;
    std::unique_ptr<AbortKey> m_abortKey;
};
