#pragma once

#include "support/Printing.h"
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A native dictionary in a temporary folder, filled directly (fast, no
// provider round trips) for tests of the provider and of the searches.
class TestDictionary {
public:
    // Words get WyrazID 1, 2, ... in the order given; descriptions are (WyrazID, Opis).
    explicit TestDictionary(const QStringList& words = {},
                            const QList<QPair<int, QString>>& descriptions = {},
                            const QString& password = QString());

    const QString& path() const { return m_path; }
    const QString& password() const { return m_password; }
    QString connectionString(bool readOnly = false) const;
    QString folder() const { return m_dir.path(); }

    // Runs statements of the engine's own SQL on the file (to shape test cases).
    void exec(const QString& engineSql) const;
    void addWords(const QStringList& words) const;
    void addDescriptions(const QList<QPair<int, QString>>& descriptions) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_password;
};
