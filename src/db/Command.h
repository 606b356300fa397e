#pragma once

#include <QString>
#include <QStringList>

// Executes one statement on its own connection, opened from the connection
// string itself. The statement takes effect at once.
class Command {
public:
    static constexpr int AdCmdText = 1;

    void setActiveConnection(const QString& connectionString) { m_connectionString = connectionString; }
    void setCommandTimeout(int seconds) { m_timeout = seconds; }
    void setCommandType(int type) { m_type = type; }
    void setCommandText(const QString& text) { m_text = text; }
    // Opens its own connection, runs the one statement and closes it again.
    // Returns the number of rows changed (-1 for a statement that changes
    // nothing, e.g. a SELECT). Throws AppError; a write on a read-only or
    // Access connection is refused before it starts.
    qint64 execute();
    // Runs the statements one after the other on one connection of its own, in
    // one transaction: all of them take effect or, when one fails, none does.
    // Returns the rows changed by all of them. Throws AppError.
    qint64 executeAll(const QStringList& texts);

private:
    QString m_connectionString;
    QString m_text;
    int m_timeout = 30;
    int m_type = AdCmdText;
};
