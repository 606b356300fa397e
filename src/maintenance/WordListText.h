#pragma once

#include <QByteArray>
#include <QString>

// The text of a plain word list file. UTF-8 when the bytes are valid UTF-8 (a
// byte-order mark is skipped), UTF-16 when a UTF-16 byte-order mark says so, and
// Windows-1250 otherwise: old Polish word lists come in that code page.
class WordListText {
public:
    enum class Encoding { Utf8, Utf16, Windows1250 };

    // Reads and decodes a file. Throws AppError with a Polish message when it cannot
    // be read or holds binary data (NUL characters) rather than text.
    static WordListText read(const QString& path);
    // Decodes bytes already read; `name` is used in the error message.
    static WordListText decode(const QByteArray& bytes, const QString& name);

    static QString fromWindows1250(const QByteArray& bytes);

    const QString& text() const { return m_text; }
    Encoding encoding() const { return m_encoding; }

private:
    QString m_text;
    Encoding m_encoding = Encoding::Utf8;
};
