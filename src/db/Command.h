#pragma once

#include <QString>

// Executes one statement on its own connection, opened from the connection
// string itself. The statement takes effect at once (no transactions).
class Command {
public:
    static constexpr int AdCmdText = 1;

    void setActiveConnection(const QString& connectionString) { m_connectionString = connectionString; }
    void setCommandTimeout(int seconds) { m_timeout = seconds; }
    void setCommandType(int type) { m_type = type; }
    void setCommandText(const QString& text) { m_text = text; }
    // Throws AppError. Returns the number of rows affected.
    qint64 execute();

private:
    QString m_connectionString;
    QString m_text;
    int m_timeout = 30;
    int m_type = AdCmdText;
};
