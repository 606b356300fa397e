#include "support/TestDictionary.h"

#include "db/AppError.h"
#include "db/ConnectionString.h"
#include "db/native/NativeDatabase.h"

#include <sqlite3.h>

namespace {

struct Handle {
    sqlite3* db;
    ~Handle() { sqlite3_close_v2(db); }
};

void run(sqlite3* db, const QString& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message);
        sqlite3_free(message);
        throw AppError(AppError::ProviderError, text + QStringLiteral(" in: ") + sql);
    }
}

QString quoted(const QString& text) {
    QString q = text;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

} // namespace

TestDictionary::TestDictionary(const QStringList& words, const QList<QPair<int, QString>>& descriptions,
                               const QString& password)
    : m_path(m_dir.filePath(QStringLiteral("słownik.mdb"))), m_password(password) {
    NativeDatabase::create(m_path, password);
    addWords(words);
    addDescriptions(descriptions);
}

QString TestDictionary::connectionString(bool readOnly) const {
    return ConnectionString::build(readOnly, m_path, m_password);
}

void TestDictionary::exec(const QString& engineSql) const {
    Handle h{NativeDatabase::open(m_path, m_password, false)};
    run(h.db, engineSql);
}

void TestDictionary::addWords(const QStringList& words) const {
    if (words.isEmpty())
        return;
    Handle h{NativeDatabase::open(m_path, m_password, false)};
    run(h.db, QStringLiteral("BEGIN"));
    for (const QString& word : words)
        run(h.db, QStringLiteral("INSERT INTO WYRAZY (Wyraz) VALUES (%1)").arg(quoted(word)));
    run(h.db, QStringLiteral("COMMIT"));
}

void TestDictionary::addDescriptions(const QList<QPair<int, QString>>& descriptions) const {
    if (descriptions.isEmpty())
        return;
    Handle h{NativeDatabase::open(m_path, m_password, false)};
    run(h.db, QStringLiteral("BEGIN"));
    for (const auto& [id, text] : descriptions)
        run(h.db,
            QStringLiteral("INSERT INTO OPISY (WyrazID, Opis) VALUES (%1, %2)").arg(id).arg(quoted(text)));
    run(h.db, QStringLiteral("COMMIT"));
}
