// Times the statements the searches send, on a generated dictionary of
// (by default) 4.3 million words: bench_provider [WORDS] [FILE]
// An existing FILE is reused, so the dictionary is built only once.

#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/Recordset.h"
#include "db/SchemaCheck.h"
#include "db/native/NativeDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextStream>

#include <sqlite3.h>

namespace {

void run(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        QTextStream(stderr) << "SQL: " << message << "\n";
        std::exit(1);
    }
}

void generate(const QString& path, qint64 count) {
    NativeDatabase::create(path);
    sqlite3* db = NativeDatabase::open(path, QString(), false);
    run(db, "PRAGMA journal_mode = OFF");
    run(db, "PRAGMA synchronous = OFF");
    run(db, "DROP INDEX WYRAZY_Wyraz");
    run(db, "BEGIN");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO WYRAZY (Wyraz) VALUES (?)", -1, &insert, nullptr);
    // Letters roughly as often as in Polish words.
    const QString letters =
        QStringLiteral("AAAAAAAAĄBBCCCCĆDDDEEEEEEEĘFGGHIIIIIIIIJJKKKKLLLŁŁMMMNNNNNŃOOOOOOOÓPPPRRRRRSSSSŚ"
                       "TTTTUUWWWWYYYYZZZZZŹŻ");
    QRandomGenerator random(42);
    for (qint64 i = 0; i < count; ++i) {
        const int length = 2 + int(random.bounded(14));
        QString word;
        for (int j = 0; j < length; ++j)
            word += letters[random.bounded(letters.size())];
        const QByteArray utf8 = word.toUtf8();
        sqlite3_bind_text(insert, 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    run(db, "COMMIT");
    run(db, "CREATE INDEX WYRAZY_Wyraz ON WYRAZY (Wyraz)");
    sqlite3_close_v2(db);
}

void time(QTextStream& out, const QString& cs, const QString& sql) {
    QElapsedTimer timer;
    timer.start();
    Connection connection;
    connection.setCommandTimeout(300);
    connection.open(cs);
    Recordset rs;
    rs.open(sql, connection);
    qint64 rows = 0;
    for (; !rs.eof(); rs.moveNext()) {
        rs.value(0);
        ++rows;
    }
    out << QString::number(timer.elapsed()).rightJustified(7) << " ms  "
        << QString::number(rows).rightJustified(8) << " rows  " << sql << "\n";
    out.flush();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 count = args.size() > 1 ? args[1].toLongLong() : 4300000;
    const QString path = args.size() > 2 ? args[2] : QStringLiteral("/tmp/literon-bench-%1.mdb").arg(count);
    QTextStream out(stdout);
    if (!QFileInfo::exists(path)) {
        QElapsedTimer timer;
        timer.start();
        generate(path, count);
        out << "generated " << count << " words in " << timer.elapsed() << " ms: " << path << "\n";
    }
    const QString cs = ConnectionString::build(true, path, QString());
    QElapsedTimer timer;
    timer.start();
    const auto check = SchemaCheck::run(path, cs);
    out << "schema check: code " << check.code << " in " << timer.elapsed() << " ms\n";
    time(out, cs, QStringLiteral("SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'K____'"));
    time(out, cs, QStringLiteral("SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'Ż_Ó__A__'"));
    time(out, cs, QStringLiteral("SELECT TOP 5000 Wyraz FROM WYRAZY WHERE Wyraz LIKE 'k%ał'"));
    time(out, cs, QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE LEN(Wyraz) = 7"));
    time(out, cs, QStringLiteral("SELECT Wyraz FROM WYRAZY WHERE Wyraz LIKE '%R___E%'"));
    time(out, cs, QStringLiteral("SELECT COUNT(*) FROM WYRAZY"));
    time(out, cs, QStringLiteral("SELECT TOP 1 Wyraz FROM WYRAZY WHERE Wyraz = 'kotek'"));
    time(out, cs, QStringLiteral("SELECT TOP 100 Wyraz FROM WYRAZY ORDER BY Wyraz"));
    time(out, cs, QStringLiteral("SELECT TOP 100 UCASE(Wyraz) FROM WYRAZY ORDER BY UCASE(Wyraz) DESC"));
    return 0;
}
