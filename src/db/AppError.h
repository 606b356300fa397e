#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The error a trap handles: a signed 32-bit number and a description, as the
// run-time error object supplies them. Thrown by the provider and by core code.
class AppError : public std::exception {
public:
    AppError(qint32 number, QString description);

    qint32 number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

    // Well-known numbers.
    static constexpr qint32 ProviderError = -2147467259; // 0x80004005, the provider's unspecified failure
    static constexpr qint32 InvalidProcedureCall = 5;
    static constexpr qint32 Overflow = 6;
    static constexpr qint32 OutOfMemory = 7;
    static constexpr qint32 TypeMismatch = 13;
    static constexpr qint32 FileNotFound = 53;
    static constexpr qint32 FileAlreadyExists = 58;
    static constexpr qint32 PermissionDenied = 70;
    static constexpr qint32 PathNotFound = 76;

private:
    qint32 m_number;
    QString m_description;
    QByteArray m_what;
};
