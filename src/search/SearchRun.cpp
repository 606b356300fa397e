#include "search/SearchRun.h"

#include "common/modMain.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "search/SearchTexts.h"
#include "search/ValueText.h"

#include <QSet>

namespace {
// An empty result raises an error on MoveFirst; the loop then ends at EOF.
void moveFirstQuietly(Recordset& rs) {
    modMain::skipOnError([&] { rs.moveFirst(); });
}
} // namespace

SearchRun::SearchRun(SearchRequest request, const Settings& settings)
    : m_request(std::move(request)), m_maxRecords(settings.MaxRecords),
      m_refreshRecords(std::max(1, settings.RefreshRecords)), m_ignoreMaxRecords(settings.IgnoreMaxRecords),
      m_timeout(settings.ConnTimeout) {}

SearchOutcome SearchRun::exec(const QString& connectionString, const Callbacks& callbacks) {
    m_callbacks = &callbacks;
    m_outcome = SearchOutcome{};
    m_outcome.kind = kindOf(m_request);
    m_pending = ResultRows();
    m_wordField = -1;
    m_inUserQuery = false;

    modMain::trapWith(
        [&] {
            Connection connection;
            connection.setCommandTimeout(m_timeout);
            connection.open(connectionString);
            Recordset rs;
            switch (m_outcome.kind) {
            case SearchKind::Crossword:
                runCrossword(std::get<CrosswordSearch>(m_request), connection, rs);
                break;
            case SearchKind::Pattern:
                runPattern(std::get<PatternSearch>(m_request), connection, rs);
                break;
            case SearchKind::Scrabble:
                runScrabble(std::get<ScrabbleSearch>(m_request), connection, rs);
                break;
            case SearchKind::Query:
                runQuery(std::get<QuerySearch>(m_request), connection, rs);
                break;
            }
            if (rs.isOpen())
                rs.close();
            connection.close();
        },
        [&](const AppError& error) {
            m_outcome.end = SearchOutcome::End::Failed;
            m_outcome.error = error;
            m_outcome.errorInUserQuery = m_inUserQuery;
        });
    // Rows listed before an error stay in the list too, except after an error
    // of the user's own query: that list ends as for a refused query.
    if (m_outcome.errorInUserQuery)
        m_pending = ResultRows();
    else
        flush();
    m_callbacks = nullptr;
    return m_outcome;
}

QString SearchRun::wordOf(Recordset& rs) {
    if (m_wordField < 0) {
        m_wordField = rs.fieldIndex(QStringLiteral("Wyraz"));
        if (m_wordField < 0)
            return SearchTexts::wordOf(rs.value(QStringLiteral("Wyraz"))); // the provider's own error
    }
    return SearchTexts::upper(rs.text(m_wordField));
}

bool SearchRun::passOver(Recordset& rs, qint32& read) {
    for (qint64 skipped = rs.rowsSkipped(); skipped > 0; --skipped) {
        if (stopRequested())
            return false;
        ++read;
    }
    return true;
}

void SearchRun::layout(const ResultLayout& layout) {
    m_pending = ResultRows(static_cast<int>(layout.columns.size()));
    m_pending.reserve(std::min(m_refreshRecords, 4096));
    if (m_callbacks->layout)
        m_callbacks->layout(layout);
}

void SearchRun::list(QString word) {
    m_pending.append(std::move(word));
}

void SearchRun::list(QString word, QString second) {
    m_pending.append(std::move(word), std::move(second));
}

void SearchRun::list(const QStringList& row) {
    m_pending.append(row);
}

bool SearchRun::stopRequested() {
    if (m_callbacks->stopRequested && m_callbacks->stopRequested()) {
        m_outcome.end = SearchOutcome::End::Stopped;
        return true;
    }
    return false;
}

void SearchRun::flush() {
    if (m_pending.isEmpty())
        return;
    ResultRows rows = std::move(m_pending);
    m_pending = ResultRows(rows.columns());
    // A batch holds about a refresh's worth of rows.
    m_pending.reserve(std::min(m_refreshRecords, 4096));
    if (m_callbacks->rows)
        m_callbacks->rows(std::move(rows));
}

void SearchRun::refreshPoint(qint32 listed) {
    flush();
    if (m_callbacks->refresh)
        m_callbacks->refresh(listed);
}

void SearchRun::runCrossword(const CrosswordSearch& search, Connection& connection, Recordset& rs) {
    const QString pool = search.letterPool();
    if (search.anagrams && m_rowTestsInProvider)
        rs.setRowFilter(RowFilter::anagram(pool, m_refreshRecords));
    rs.open(search.sql(m_maxRecords), connection);
    layout(ResultLayout::words());
    qint32& read = m_outcome.rowsRead;
    qint32& listed = m_outcome.wordsListed;
    moveFirstQuietly(rs);
    while (passOver(rs, read) && !rs.eof()) {
        if (stopRequested())
            break;
        ++read;
        const QString word = wordOf(rs);
        if (!search.anagrams || CrosswordSearch::isAnagram(word, pool)) {
            list(word);
            ++listed;
            // Anagrams are limited here; letter mode has TOP in its statement.
            if (search.anagrams && listed == m_maxRecords) {
                m_outcome.limitReached = true;
                break;
            }
        }
        if (read % m_refreshRecords == 0)
            refreshPoint(listed);
        rs.moveNext();
    }
}

void SearchRun::runPattern(const PatternSearch& search, Connection& connection, Recordset& rs) {
    rs.open(search.wordsSql(m_maxRecords), connection);
    layout(ResultLayout::words());
    qint32& listed = m_outcome.wordsListed;
    // The words listed so far, for the duplicate test of the second statement.
    QSet<QString> seen;
    moveFirstQuietly(rs);
    while (!rs.eof()) {
        if (stopRequested())
            break;
        const QString word = wordOf(rs);
        if (search.descriptions)
            seen.insert(word);
        list(word);
        ++listed;
        if (listed % m_refreshRecords == 0)
            refreshPoint(listed);
        rs.moveNext();
    }
    m_outcome.rowsRead = listed;
    rs.close();

    // Sent whatever ended the first loop: after an abort its loop ends at once.
    if (!search.descriptions || listed >= m_maxRecords)
        return;
    rs.open(search.descriptionsSql(m_maxRecords), connection);
    moveFirstQuietly(rs);
    while (!rs.eof()) {
        if (stopRequested())
            break;
        if (listed >= m_maxRecords) {
            m_outcome.limitReached = true;
            break;
        }
        ++m_outcome.rowsRead;
        const QString word = wordOf(rs);
        if (!seen.contains(word)) {
            seen.insert(word);
            list(word);
            ++listed;
        }
        // A duplicate leaves the count as it was, so duplicates in a row at a
        // multiple repeat the refresh.
        if (listed % m_refreshRecords == 0)
            refreshPoint(listed);
        rs.moveNext();
    }
    rs.close();
}

void SearchRun::runScrabble(const ScrabbleSearch& search, Connection& connection, Recordset& rs) {
    const ScrabbleSearch::Matcher matcher = search.matcher();
    if (m_rowTestsInProvider)
        rs.setRowFilter(RowFilter::rack(search.boardLetters(), search.rack, search.stars() > 0,
                                        static_cast<int>(search.pattern.size()),
                                        search.letters() + search.questions(), m_refreshRecords));
    rs.open(search.sql(), connection);
    layout(ResultLayout::scrabble());
    qint32& read = m_outcome.rowsRead;
    qint32& listed = m_outcome.wordsListed;
    moveFirstQuietly(rs);
    while (passOver(rs, read) && !rs.eof()) {
        if (stopRequested())
            break;
        ++read;
        const QString word = wordOf(rs);
        const std::optional<int> tiles = matcher.decide(word);
        // Not a candidate: no refresh check either; the cadence counts records
        // read, but only at candidates.
        if (!tiles) {
            rs.moveNext();
            continue;
        }
        if (*tiles > 0) {
            list(word, QString::number(*tiles));
            ++listed;
            if (listed == m_maxRecords) {
                m_outcome.limitReached = true;
                break;
            }
        }
        if (read % m_refreshRecords == 0)
            refreshPoint(listed);
        rs.moveNext();
    }
}

void SearchRun::runQuery(const QuerySearch& search, Connection& connection, Recordset& rs) {
    const QString text = search.sentText(m_maxRecords, m_ignoreMaxRecords);
    // Rows are computed as they are read, so the query can fail at any row:
    // every error until the last row is read is the query's own.
    m_inUserQuery = true;
    rs.open(text, connection);
    QStringList names;
    const int fields = rs.fieldCount();
    for (int i = 0; i < fields; ++i)
        names << rs.field(i).name;
    layout(ResultLayout::query(names));
    qint32& read = m_outcome.rowsRead;
    moveFirstQuietly(rs);
    while (!rs.eof()) {
        if (stopRequested())
            break;
        ++read;
        QStringList row;
        row.reserve(fields);
        for (int i = 0; i < fields; ++i)
            row << ValueText::of(rs.value(i));
        list(std::move(row));
        m_outcome.wordsListed = read;
        if (read % m_refreshRecords == 0)
            refreshPoint(read);
        rs.moveNext();
    }
    m_inUserQuery = false;
}
