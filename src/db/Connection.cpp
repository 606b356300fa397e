#include "db/Connection.h"

#include "db/ConnectionImpl.h"

Connection::Connection() : m_impl(std::make_unique<ConnectionImpl>()) {}

Connection::~Connection() = default;

void Connection::setCommandTimeout(int seconds) {
    m_impl->timeout = seconds;
}

int Connection::commandTimeout() const {
    return m_impl->timeout;
}

void Connection::open(const QString& connectionString) {
    m_impl->open(connectionString);
}

void Connection::close() {
    m_impl->close();
}

bool Connection::isOpen() const {
    return m_impl->isOpen();
}
