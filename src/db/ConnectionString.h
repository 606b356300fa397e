#pragma once

#include <QString>

// The connection string the window builds and every connection is opened with:
// "Provider=Microsoft.Jet.OLEDB.4.0;Mode=Read[Write];Persist Security Info=False;
//  Data Source=<path>;Jet OLEDB:Database Password=<password>".
// The path may hold anything (';' included) up to the password key, and
// everything after the password key is the password, semicolons included.
struct ConnectionString {
    bool readOnly = false;
    QString path;
    QString password;

    static QString build(bool readOnly, const QString& path, const QString& password);
    // Throws AppError when the text names another provider or no data source.
    static ConnectionString parse(const QString& text);
    QString toString() const { return build(readOnly, path, password); }
};
