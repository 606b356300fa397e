#pragma once

#include <QString>
#include <memory>

class ConnectionImpl;

// A connection to one dictionary file, opened with the connection string text:
// "Provider=Microsoft.Jet.OLEDB.4.0;Mode=Read[Write];Persist Security Info=False;
//  Data Source=<path>;Jet OLEDB:Database Password=<password>".
// The file may be a native dictionary (SQLite) or a genuine Access file, which
// is served read-only from a cached in-memory copy. No connection is shared:
// each one holds its own engine handle until close() or destruction.
// Errors are thrown as AppError (number + Polish description).
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Seconds the engine may spend on one statement (0: no limit); taken by a
    // recordset when it is opened. Default 30.
    void setCommandTimeout(int seconds);
    int commandTimeout() const;
    // Fails (AppError) when the file is not a dictionary database, the password is
    // wrong or missing, or the file is locked.
    void open(const QString& connectionString);
    // Recordsets opened on the connection stay readable after it closes.
    void close();
    bool isOpen() const;

    ConnectionImpl* impl() const { return m_impl.get(); }

private:
    std::unique_ptr<ConnectionImpl> m_impl;
};
