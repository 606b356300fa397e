#include "db/Command.h"

#include "db/ConnectionImpl.h"
#include "db/ProviderErrors.h"

qint64 Command::execute() {
    if (m_type != AdCmdText)
        throw ProviderErrors::commandType(m_type);
    // The active connection is the connection string itself: the command opens
    // its own connection for this one statement.
    ConnectionImpl connection;
    connection.timeout = m_timeout;
    connection.open(m_connectionString);
    return connection.execute(m_text);
}

qint64 Command::executeAll(const QStringList& texts) {
    if (m_type != AdCmdText)
        throw ProviderErrors::commandType(m_type);
    ConnectionImpl connection;
    connection.timeout = m_timeout;
    connection.open(m_connectionString);
    return connection.executeAll(texts);
}
