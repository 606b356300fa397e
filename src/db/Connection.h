#pragma once

#include <QString>
#include <memory>

class ConnectionImpl;

// A connection to one dictionary file, opened with the connection string text:
// "Provider=Microsoft.Jet.OLEDB.4.0;Mode=Read[Write];Persist Security Info=False;
//  Data Source=<path>;Jet OLEDB:Database Password=<password>".
// Errors are thrown as AppError (number + Polish description).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setCommandTimeout(int seconds);
    int commandTimeout() const;
    // Fails (AppError) when the file is not a dictionary database, the password is
    // wrong or missing, or the file is locked.
    void open(const QString& connectionString);
    void close();
    bool isOpen() const;

    ConnectionImpl* impl() const { return m_impl.get(); }

private:
    std::unique_ptr<ConnectionImpl> m_impl;
};
