#include "support/GeneratedDictionary.h"

#include "db/AppError.h"
#include "db/native/NativeDatabase.h"
#include "db/native/NativeSchema.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

const QString kLetters =
    QStringLiteral("AAAAAAAAĄBBCCCCĆDDDEEEEEEEĘFGGHIIIIIIIIJJKKKKLLLŁŁMMMNNNNNŃOOOOOOOÓPPPRRRRRSS"
                   "SSŚTTTTUUWWWWYYYYZZZZZŹŻQVX");
const QStringList kOddCharacters = {QStringLiteral("É"), QStringLiteral("ü"), QStringLiteral("-"),
                                    QStringLiteral(" "), QStringLiteral("1"), QStringLiteral("ß"),
                                    QStringLiteral("ı"), QStringLiteral("'"), QStringLiteral("Ä"),
                                    QStringLiteral("_"), QStringLiteral("%")};

QString letters(QRandomGenerator& random, int length) {
    QString word;
    for (int i = 0; i < length; ++i)
        word += kLetters[random.bounded(int(kLetters.size()))];
    return word;
}

void run(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw AppError(AppError::ProviderError, QString::fromUtf8(sqlite3_errmsg(db)));
}

} // namespace

GeneratedDictionary::GeneratedDictionary(int count, quint32 seed, bool alphabetical)
    : m_dict(std::make_unique<TestDictionary>()) {
    QRandomGenerator random(seed);
    QStringList words;
    for (int i = 0; i < count; ++i) {
        const int kind = random.bounded(1000);
        const int length = random.bounded(10) < 8 ? 2 + random.bounded(12) : 1 + random.bounded(20);
        QString word = letters(random, length);
        if (kind < 5) {
            word = QString();
        } else if (kind < 10) {
            word = QLatin1String("");
        } else if (kind < 40) {
            word = word.toLower();
        } else if (kind < 55) {
            for (QChar& c : word)
                if (random.bounded(2))
                    c = c.toLower();
        } else if (kind < 75) {
            word.insert(random.bounded(int(word.size()) + 1),
                        kOddCharacters[random.bounded(int(kOddCharacters.size()))]);
        } else if (kind < 78) {
            word = letters(random, 60 + random.bounded(20));
        } else if (kind < 90 && !words.isEmpty()) {
            word = words[random.bounded(int(words.size()))];
        }
        words << word;
    }
    if (alphabetical)
        std::stable_sort(words.begin(), words.end(), [](const QString& a, const QString& b) {
            return a.isNull() != b.isNull() ? a.isNull() : NativeSchema::compare(a, b) < 0;
        });
    append(words);
}

void GeneratedDictionary::append(const QStringList& words) {
    sqlite3* db = NativeDatabase::open(m_dict->path(), m_dict->password(), false);
    run(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO WYRAZY (Wyraz) VALUES (?)", -1, &insert, nullptr);
    for (const QString& word : words) {
        if (word.isNull()) {
            sqlite3_bind_null(insert, 1);
        } else {
            const QByteArray utf8 = word.toUtf8();
            sqlite3_bind_text(insert, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    run(db, "COMMIT");
    sqlite3_close_v2(db);
    m_words += words;
}

QString GeneratedDictionary::anyWord(QRandomGenerator& random) const {
    while (true) {
        const QString& word = m_words[random.bounded(int(m_words.size()))];
        if (!word.isEmpty())
            return word;
    }
}
