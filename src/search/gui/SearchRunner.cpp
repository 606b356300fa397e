#include "search/gui/SearchRunner.h"

#include "app/frmMain.h"
#include "common/Platform.h"
#include "common/modMain.h"
#include "db/index/WordIndexCache.h"
#include "search/SearchOutcome.h"
#include "search/SearchRun.h"
#include "search/SearchTexts.h"
#include "search/gui/AbortKey.h"
#include "search/gui/ResultsList.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

SearchRunner::SearchRunner(frmMain& window, ResultsList& results)
    : m_window(window), m_results(results),
      m_abortKey(std::make_unique<AbortKey>(&window, [this] { return runningButton(); })) {}

SearchRunner::~SearchRunner() = default;

QPushButton* SearchRunner::runningButton() const {
    if (!m_window.bSearchRunning)
        return nullptr;
    for (SearchKind kind :
         {SearchKind::Crossword, SearchKind::Pattern, SearchKind::Scrabble, SearchKind::Query})
        if (SearchTexts::isAbortCaption(buttonOf(kind)->text()))
            return buttonOf(kind);
    return nullptr;
}

QPushButton* SearchRunner::buttonOf(SearchKind kind) const {
    switch (kind) {
    case SearchKind::Crossword:
        return m_window.btnSearch1;
    case SearchKind::Pattern:
        return m_window.btnSearch2;
    case SearchKind::Scrabble:
        return m_window.btnSearch3;
    case SearchKind::Query:
        return m_window.btnSearch4;
    }
    return nullptr;
}

QGroupBox* SearchRunner::frameOf(SearchKind kind) const {
    switch (kind) {
    case SearchKind::Crossword:
        return m_window.fraSearch1;
    case SearchKind::Pattern:
        return m_window.fraSearch2;
    case SearchKind::Scrabble:
        return m_window.fraSearch3;
    case SearchKind::Query:
        return m_window.fraSearch4;
    }
    return nullptr;
}

SearchRequest SearchRunner::readRequest(SearchKind kind) const {
    const frmMain& w = m_window;
    switch (kind) {
    case SearchKind::Crossword: {
        CrosswordSearch search;
        for (int i = 0; i < w.scrSearch1->value() && i < frmMain::LetterFields; ++i)
            search.fields << w.T[i]->text();
        search.anagrams = w.chkSearch1->isChecked();
        return search;
    }
    case SearchKind::Pattern:
        return PatternSearch{w.txtPattern->text(), w.chkSearch2->isChecked()};
    case SearchKind::Scrabble: {
        ScrabbleSearch search;
        search.pattern = w.txtPattern->text();
        for (int i = 0; i < w.scrSearch3->value() && i < frmMain::RackFields; ++i)
            search.rack << w.U[i]->text();
        search.manyBlanks = w.chkSearch3->isChecked();
        return search;
    }
    case SearchKind::Query:
        return QuerySearch{w.txtQuery->toPlainText()};
    }
    return CrosswordSearch{};
}

void SearchRunner::yield() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_lastYield = m_window.mod().platform().tickCount();
}

void SearchRunner::click(SearchKind kind) {
    modMain::trapWith([&] { start(kind); },
                      [&](const AppError& error) {
                          SearchOutcome outcome;
                          outcome.kind = kind;
                          outcome.end = SearchOutcome::End::Failed;
                          outcome.error = error;
                          errorEnd(outcome);
                      });
}

void SearchRunner::start(SearchKind kind) {
    QPushButton* button = buttonOf(kind);
    if (SearchTexts::isAbortCaption(button->text())) {
        abort(kind);
        return;
    }
    // Enter in a field, a click or the button's Alt key: the focus is where the run was started from.
    m_focusAtStart = m_window.focusWidget();
    if (!m_window.DBTest())
        return;
    const SearchRequest request = readRequest(kind);
    if (const std::optional<ValidationFailure> failure = validate(request)) {
        refuse(*failure);
        return;
    }

    const quint64 run = ++m_runs;
    QString bare = button->text();
    bare.remove(QLatin1Char('&'));
    if (SearchTexts::upper(bare) == QLatin1String("SZUKAJ")) {
        button->setText(SearchTexts::runningCaption());
        m_window.bStopSearch = false;
        m_window.bSearchRunning = true;
        m_window.EnableDisableSearch(false);
        // Only the abort button of this search stays usable among the search controls.
        frameOf(kind)->setEnabled(true);
        button->setEnabled(true);
        // Disabling took the focus from its control; keys go to the abort button meanwhile.
        button->setFocus(Qt::OtherFocusReason);
        yield();
        if (run != m_runs)
            return;
    }
    m_results.clear();
    m_results.refresh();
    // Right after a database is opened its word index may still be read: say why the answer waits.
    m_window.setPanelText(1, WordIndexCache::preparingFor(m_window.mod().ConnString)
                                 ? SearchTexts::statusRunningIndexNotReady()
                                 : SearchTexts::statusRunning());
    m_window.setPanelText(4, QString());
    yield();
    if (run != m_runs)
        return;
    this->run(request, run);
}

void SearchRunner::run(const SearchRequest& request, quint64 run) {
    const SearchKind kind = kindOf(request);
    modMain& mod = m_window.mod();
    const auto superseded = [this, run] { return run != m_runs; };
    SearchRun::Callbacks callbacks;
    callbacks.layout = [this, superseded](const ResultLayout& layout) {
        if (!superseded())
            m_results.applyLayout(layout);
    };
    callbacks.rows = [this, superseded](ResultRows&& rows) {
        if (!superseded())
            m_results.appendRows(std::move(rows));
    };
    bool firstRefresh = true;
    callbacks.refresh = [this, superseded, &mod, &firstRefresh](qint32 listed) {
        if (superseded())
            return;
        m_results.refresh();
        m_window.setPanelText(4, SearchTexts::countText(listed));
        if (firstRefresh || mod.platform().tickCount() - m_lastYield >= RefreshIntervalMs) {
            firstRefresh = false;
            yield();
        }
    };
    callbacks.stopRequested = [this, superseded] { return m_window.bStopSearch || superseded(); };

    SearchRun searchRun(request, mod.settings);
    const SearchOutcome outcome = searchRun.exec(mod.ConnString, callbacks);
    if (superseded())
        return;
    if (outcome.failed()) {
        errorEnd(outcome);
        return;
    }
    m_window.setPanelText(1, SearchTexts::statusDone());
    m_window.setPanelText(4, SearchTexts::countText(outcome.wordsListed));
    buttonOf(kind)->setText(SearchTexts::idleCaption(kind));
    m_window.bSearchRunning = false;
    m_window.EnableDisableSearch(true);
    // After an abort the abort click gave the focus back already.
    if (!m_window.bStopSearch)
        restoreFocus(kind);
}

void SearchRunner::abort(SearchKind kind) {
    // The suspended run sees the flag at its next loop test and ends normally.
    buttonOf(kind)->setText(SearchTexts::idleCaption(kind));
    m_window.setPanelText(1, SearchTexts::statusDone());
    m_window.bStopSearch = true;
    m_window.bSearchRunning = false;
    m_window.EnableDisableSearch(true);
    restoreFocus(kind);
}

void SearchRunner::refuse(const ValidationFailure& failure) {
    modMain& mod = m_window.mod();
    switch (failure.style) {
    case MsgStyle::Error:
        mod.MsgError(failure.message);
        break;
    case MsgStyle::Info:
        mod.MsgInfo(failure.message);
        break;
    default:
        mod.MsgWarning(failure.message);
        break;
    }
    QWidget* focus = nullptr;
    switch (failure.focus) {
    case SearchField::T:
        if (failure.index >= 0 && failure.index < frmMain::LetterFields)
            focus = m_window.T[failure.index];
        break;
    case SearchField::U:
        if (failure.index >= 0 && failure.index < frmMain::RackFields)
            focus = m_window.U[failure.index];
        break;
    case SearchField::txtPattern:
        focus = m_window.txtPattern;
        break;
    case SearchField::txtQuery:
        focus = m_window.txtQuery;
        break;
    case SearchField::Unchanged:
        break;
    }
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

void SearchRunner::errorEnd(const SearchOutcome& outcome) {
    // Shown always; logged with the search's place text unless it is an error
    // of the user's own query and LogQueryErrors is off.
    if (outcome.errorInUserQuery) {
        m_results.clear();
        m_results.refresh();
    }
    outcome.reportError(m_window.mod());
    buttonOf(outcome.kind)->setText(SearchTexts::idleCaption(outcome.kind));
    m_window.setPanelText(1, SearchTexts::statusFailed());
    m_window.bStopSearch = false;
    m_window.bSearchRunning = false;
    m_window.EnableDisableSearch(true);
    restoreFocus(outcome.kind);
}

void SearchRunner::restoreFocus(SearchKind kind) {
    QWidget* target = m_focusAtStart;
    if (!target || !target->isEnabled() || target->window() != &m_window)
        target = buttonOf(kind);
    target->setFocus(Qt::OtherFocusReason);
}
