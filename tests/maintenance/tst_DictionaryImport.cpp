#include "common/ErrorLog.h"
#include "db/AppError.h"
#include "db/ConnectionString.h"
#include "db/SchemaCheck.h"
#include "db/access/AccessFile.h"
#include "db/native/DictionaryWriter.h"
#include "maintenance/DictionaryImport.h"
#include "support/Fixtures.h"
#include "support/NativeFileContents.h"
#include "support/Printing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QString fixture(const char* name) {
    return fixturePath(QStringLiteral("mdb/") + QString::fromUtf8(name));
}

// Every count, in the order entries, words, descriptions, bad characters, too long,
// capitalised, duplicate words, duplicate descriptions, descriptions too long and
// descriptions without a word: one comparison shows a stray count too.
QString counts(const ImportCounts& c) {
    QStringList texts;
    for (qint64 n :
         {c.entries, c.wordsAdded, c.descriptionsAdded, c.skippedChars, c.skippedLength, c.skippedCapitalised,
          c.duplicates, c.duplicateDescriptions, c.descriptionsTooLong, c.descriptionsWithoutWord})
        texts << QString::number(n);
    return texts.join(QLatin1Char(' '));
}

class DictionaryImportTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("slownik.mdb"));

    QString write(const char* name, const QByteArray& bytes) const {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString writeUtf8(const char* name, const QString& text) const { return write(name, text.toUtf8()); }

    QString import(const QStringList& sources, ImportOptions options = {}) const {
        return counts(DictionaryImport(std::move(options)).run(target, sources));
    }
    QStringList imported() const { return NativeFileContents::read(target).wordList(); }

    // A failed import whose message says `says`, checked to leave `target` as it was.
    void failedImport(const QStringList& sources, const char* says,
                      DictionaryImport::Progress progress = {}) const {
        const bool existed = QFileInfo::exists(target);
        const QByteArray before = fileBytes(target);
        DictionaryImport importer{ImportOptions()};
        importer.setProgress(std::move(progress));
        try {
            importer.run(target, sources);
            ADD_FAILURE() << "the import did not fail: " << says;
        } catch (const AppError& e) {
            EXPECT_TRUE(e.description().contains(QString::fromUtf8(says))) << e.description().toStdString();
        }
        EXPECT_EQ(QFileInfo::exists(target), existed);
        EXPECT_EQ(fileBytes(target), before) << "the target must stay byte-for-byte the same";
        EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral(".*tmp")}, QDir::Files | QDir::Hidden),
                  QStringList())
            << "no work file is left behind";
    }
};

TEST_F(DictionaryImportTest, Utf8WordListIsTrimmedUpperCasedAndChecked) {
    const QString list =
        writeUtf8("lista.txt",
                  QStringLiteral("kot\nPies\n  żółw  \n\n   \nKOT\nźdźbło\r\nA1\nwy-raz\nłoś\n") +
                      QString(51, QLatin1Char('a')) + QStringLiteral("\n") + QString(50, QLatin1Char('b')));
    EXPECT_EQ(import({list}), QStringLiteral("10 6 0 2 1 0 1 0 0 0"));
    const NativeFileContents contents = NativeFileContents::read(target);
    EXPECT_EQ(contents.integrity, QStringLiteral("ok"));
    // Numbered from 1 in Polish alphabetical order.
    EXPECT_EQ(contents.wordList(),
              (QStringList{QString(50, QLatin1Char('B')), "KOT", "ŁOŚ", "PIES", "ŹDŹBŁO", "ŻÓŁW"}));
    EXPECT_EQ(contents.words.keys(), (QList<qint64>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(SchemaCheck::run(target, ConnectionString::build(false, target, QString())).code, 0);
}

TEST_F(DictionaryImportTest, EncodingsAndLineEnds) {
    const QString text = QStringLiteral("żółw\r\njeż\nŁÓDŹ\r\rśląsk");
    QByteArray utf16 = "\xFF\xFE";
    for (const QChar c : text)
        utf16 += QByteArray(reinterpret_cast<const char*>(&c), 2);
    // Each is told apart by its bytes alone: a wrong guess garbles or refuses words.
    const std::pair<const char*, QByteArray> cases[] = {{"utf8.txt", text.toUtf8()},
                                                        {"bom.txt", "\xEF\xBB\xBF" + text.toUtf8()},
                                                        {"cp1250.txt", ErrorLog::toWindows1250(text)},
                                                        {"utf16.txt", utf16}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        QFile::remove(target);
        EXPECT_EQ(import({write(name, bytes)}), QStringLiteral("4 4 0 0 0 0 0 0 0 0"));
        EXPECT_EQ(imported(), (QStringList{"JEŻ", "ŁÓDŹ", "ŚLĄSK", "ŻÓŁW"}));
    }
}

TEST_F(DictionaryImportTest, TabSeparatedDescriptionsAndASecondImportIntoTheSameDictionary) {
    const QString longest(255, QLatin1Char('x'));
    const QString list =
        writeUtf8("opisy.txt", QStringLiteral("kot\tzwierzę domowe\nkot\t mruczek \n"
                                              "KOT\tzwierzę domowe\npies\t\nosa\t") +
                                   QString(256, QLatin1Char('y')) + QStringLiteral("\nul\t") + longest +
                                   QStringLiteral("\n\todpowiedź bez wyrazu\n"
                                                  "x1\topis odrzuconego wyrazu\n"
                                                  "taniec\trock'n'roll\twięcej\n"));
    EXPECT_EQ(import({list}), QStringLiteral("9 5 4 2 0 0 2 1 1 2"));
    NativeFileContents contents = NativeFileContents::read(target);
    ASSERT_EQ(contents.wordList(), (QStringList{"KOT", "OSA", "PIES", "TANIEC", "UL"}));
    EXPECT_EQ(contents.descriptions.value(1), (QStringList{"zwierzę domowe", "mruczek"}));
    EXPECT_EQ(contents.descriptions.keys(), (QList<qint64>{1, 4, 5}))
        << "OSA keeps its word, not its 256 characters";
    EXPECT_EQ(contents.descriptions.value(4), QStringList{"rock'n'roll\twięcej"});
    EXPECT_EQ(contents.descriptions.value(5), QStringList{longest});

    // Words already there are duplicates, their descriptions merged; a new word takes the next number.
    EXPECT_EQ(import({writeUtf8("dalej.txt", QStringLiteral("Kot\tmruczek\nkot\tnowy\nlis"))}),
              QStringLiteral("3 1 1 0 0 0 2 1 0 0"));
    contents = NativeFileContents::read(target);
    EXPECT_EQ(contents.descriptions.value(1), (QStringList{"zwierzę domowe", "mruczek", "nowy"}));
    EXPECT_EQ(contents.words.value(6), QStringLiteral("LIS"));
}

// Capitalised entries (proper names) are left out of word lists only: the
// words of an Access dictionary are all capitals and all kept.
TEST_F(DictionaryImportTest, CapitalisedEntriesCanBeSkippedInWordLists) {
    LITERON_REQUIRE_FIXTURES();
    const QString list = writeUtf8("sjp.txt", QStringLiteral("Kraków\nkrakowski\nŁódź\nłódka\nabé\nÉmile\n"));
    ImportOptions skip;
    skip.skipCapitalised = true;
    EXPECT_EQ(import({list, fixture("male_litery.mdb")}, skip), QStringLiteral("11 7 6 1 0 3 0 0 0 0"));
    EXPECT_EQ(imported(), (QStringList{"ĆMA", "KOT", "KRAKOWSKI", "ŁĄKA", "ŁÓDKA", "PIES", "ŻÓŁW"}));
    QFile::remove(target);
    EXPECT_EQ(import({list}), QStringLiteral("6 4 0 2 0 0 0 0 0 0")) << "nothing skipped without the option";
}

TEST_F(DictionaryImportTest, FromAnAccessDictionaryEveryDescriptionWithItsOwnWord) {
    LITERON_REQUIRE_FIXTURES();
    EXPECT_EQ(import({fixture("slownik.mdb")}), QStringLiteral("120 120 62 0 0 0 0 0 0 0"));
    // The identifiers themselves are new: compare the descriptions word by word.
    const AccessFile access = AccessFile::open(fixture("slownik.mdb"));
    QMap<qint64, QString> accessWords;
    for (const auto& row : access.readRows(QStringLiteral("WYRAZY")))
        accessWords.insert(row[0].toLongLong(), row[1].toString());
    QMap<QString, QStringList> expected, imported;
    for (const auto& row : access.readRows(QStringLiteral("OPISY")))
        expected[accessWords.value(row[0].toLongLong())] << row[1].toString();
    const NativeFileContents contents = NativeFileContents::read(target);
    for (auto it = contents.descriptions.begin(); it != contents.descriptions.end(); ++it)
        imported[contents.words.value(it.key())] = it.value();
    EXPECT_EQ(imported, expected);
}

TEST_F(DictionaryImportTest, AnErrorWhileWritingLeavesTheTargetUnchanged) {
    import({writeUtf8("a.txt", QStringLiteral("kot\tmruczek\npies"))});
    QStringList many; // more words than one progress report apart
    for (int i = 0; i < 70000; ++i) {
        QString word = QStringLiteral("X");
        for (int n = i; n > 0; n /= 26)
            word += QChar(u'A' + n % 26);
        many << word;
    }
    const QString list = writeUtf8("duzo.txt", many.join(QLatin1Char('\n')));
    const auto stopWhileWriting = [](DictionaryImport::Phase phase, const QString&, qint64 done, qint64) {
        if (phase == DictionaryImport::Phase::Writing && done > 0)
            throw AppError(AppError::InvalidProcedureCall, QStringLiteral("przerwano"));
    };
    failedImport({list}, "przerwano", stopWhileWriting);
    // The same for a dictionary that was to be created: nothing is left behind.
    QFile::remove(target);
    failedImport({list}, "przerwano", stopWhileWriting);
}

TEST_F(DictionaryImportTest, BadSourcesAndTargetsChangeNothing) {
    LITERON_REQUIRE_FIXTURES();
    import({writeUtf8("a.txt", QStringLiteral("kot\npies"))});
    const QString good = writeUtf8("b.txt", QStringLiteral("osa"));
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    failedImport({good, dir.filePath(QStringLiteral("brak.txt"))}, "nie istnieje");
    failedImport({good, dir.filePath(QStringLiteral("folder"))}, "folderem");
    failedImport({good, write("binarny.txt", QByteArray("osa\n\0\x01\x02", 7))}, "nie jest listą wyrazów");
    failedImport({good, fixture("bez_opisy.mdb")}, "WYRAZY i OPISY");
    failedImport({good, fixture("bez_wyraz.mdb")}, "pola Wyraz");
    EXPECT_EQ(imported(), (QStringList{"KOT", "PIES"}));

    {
        DictionaryWriter holder(target); // another writer holds the lock
        failedImport({good}, "zablokowany");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0444), 0);
    failedImport({good}, "tylko do odczytu");
    target = fixture("slownik.mdb");
    failedImport({good}, "Microsoft Access");
    target = write("tekst.mdb", "to nie jest słownik");
    failedImport({good}, "nie jest słownikiem");
    target = dir.filePath(QStringLiteral("brak/slownik.mdb"));
    failedImport({good}, "nie istnieje");
}

} // namespace
