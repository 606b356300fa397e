#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Splits command arguments into positional ones and "--name [value]" options.
// Options listed in `withValue` take the next argument as their value.
class CliOptions {
public:
    CliOptions(const QStringList& args, const QStringList& withValue, const QStringList& flags);

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    const QStringList& positional() const { return m_positional; }
    bool has(const QString& name) const { return m_values.contains(name); }
    QString value(const QString& name, const QString& fallback = QString()) const {
        return m_values.value(name, fallback);
    }

private:
    QStringList m_positional;
    QMap<QString, QString> m_values;
    QString m_error;
};
