#pragma once

#include "common/Settings.h"
#include "search/ResultLayout.h"
#include "search/ResultRows.h"
#include "search/SearchOutcome.h"
#include "search/SearchRequest.h"

#include <QStringList>
#include <QVector>

#include <functional>

class Connection;
class Recordset;

// One run of a search: opens its own connection, sends the search's statement
// (the pattern search may send a second one), decides row by row what to list,
// counts, stops at the limit or at the caller's stop flag, and hands the rows
// to the caller in batches. It knows nothing of windows: the main window shows
// the batches in its list and processes events at each refresh point; the
// command line collects them.
class SearchRun {
public:
    struct Callbacks {
        // The columns and sort state, once the statement is open (not called
        // when it cannot be opened).
        std::function<void(const ResultLayout&)> layout;
        // Rows listed since the last call, in the order they were read; called
        // before each refresh and once at the end, also after an error.
        std::function<void(ResultRows&& rows)> rows;
        // A refresh point: every RefreshRecords rows by the search's own counter;
        // `listed` is the count panel 4 shows. The window repaints and processes
        // pending events here, which is where an abort click arrives.
        std::function<void(qint32 listed)> refresh;
        // Tested at the top of every pass of the row loop.
        std::function<bool()> stopRequested;
    };

    // Reads MaxRecords, RefreshRecords, IgnoreMaxRecords and ConnTimeout.
    SearchRun(SearchRequest request, const Settings& settings);

    // Runs on a connection of its own opened with the connection string. Never
    // throws: an error ends the run with End::Failed and the error in the outcome.
    SearchOutcome exec(const QString& connectionString, const Callbacks& callbacks);

    const SearchRequest& request() const { return m_request; }

    // The anagram test and the rack fit are handed to the provider, which
    // delivers only the rows that pass (and those at refresh points) and tells
    // how many it passed over; the counters and refresh points come out the
    // same. Off: every row comes to the run, as the statement returns it.
    void setRowTestsInProvider(bool on) { m_rowTestsInProvider = on; }

private:
    void runCrossword(const CrosswordSearch& search, Connection& connection, Recordset& rs);
    void runPattern(const PatternSearch& search, Connection& connection, Recordset& rs);
    void runScrabble(const ScrabbleSearch& search, Connection& connection, Recordset& rs);
    void runQuery(const QuerySearch& search, Connection& connection, Recordset& rs);

    QString wordOf(Recordset& rs);
    // Counts the rows the provider passed over as read, each a pass of the
    // loop that lists nothing; false when a stop was requested meanwhile.
    bool passOver(Recordset& rs, qint32& read);
    // Hands the layout to the caller; rows listed from now on are as wide.
    void layout(const ResultLayout& layout);
    void list(QString word);
    void list(QString word, QString second);
    void list(const QStringList& row);
    bool stopRequested();
    void refreshPoint(qint32 listed);
    void flush();

    SearchRequest m_request;
    qint32 m_maxRecords;
    qint32 m_refreshRecords;
    bool m_ignoreMaxRecords;
    int m_timeout;
    bool m_rowTestsInProvider = true;

    // Per exec.
    const Callbacks* m_callbacks = nullptr;
    SearchOutcome m_outcome;
    ResultRows m_pending;
    int m_wordField = -1;
    bool m_inUserQuery = false;
};
