#pragma once

#include <QString>
#include <QStringList>

#include <functional>

struct ImportCounts {
    qint64 entries = 0;            // entries read from the sources (blank lines do not count)
    qint64 wordsAdded = 0;         // new words written
    qint64 descriptionsAdded = 0;  // new descriptions written
    qint64 skippedChars = 0;       // refused by CheckChars, or no word at all
    qint64 skippedLength = 0;      // longer than 50 characters
    qint64 skippedCapitalised = 0; // begin with a capital letter, with the option on
    qint64 duplicates = 0;         // words already in the target or earlier in the sources
    qint64 duplicateDescriptions = 0;
    qint64 descriptionsTooLong = 0;     // longer than 255 characters
    qint64 descriptionsWithoutWord = 0; // their word was skipped or is missing

    qint64 skipped() const { return skippedChars + skippedLength + skippedCapitalised; }
    qint64 descriptionsRefused() const { return descriptionsTooLong + descriptionsWithoutWord; }
};

struct ImportOptions {
    // Word lists only: leave out entries that begin with a capital letter (the
    // proper names of lists such as sjp.pl's).
    bool skipCapitalised = false;
    // The database password of Access sources and of a protected target dictionary
    // (a new target gets none).
    QString password;
};

// Adds the words of plain word lists and Access dictionaries to a native
// dictionary, creating it when it does not exist. Words are trimmed and
// upper-cased; entries the word fields would refuse are skipped, duplicates are
// merged (their descriptions kept with the one word), and new words get their
// WyrazIDs in Polish alphabetical order. All or nothing: on any error the target
// is left exactly as it was (or not created).
class DictionaryImport {
public:
    static constexpr int MaxWordLength = 50;
    static constexpr int MaxDescriptionLength = 255;

    enum class Phase { Reading, Sorting, Writing, Finishing };
    // `done` of `total` units (characters or rows) of the current phase; total may be 0.
    using Progress = std::function<void(Phase phase, const QString& source, qint64 done, qint64 total)>;

    explicit DictionaryImport(ImportOptions options = {});

    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Throws AppError with a Polish message; the target is then unchanged.
    ImportCounts run(const QString& target, const QStringList& sources);

    // The counts as Polish text, one line each.
    static QString summary(const ImportCounts& counts);

    // A word as the dictionary stores it: trimmed and upper-cased letter by letter.
    // Null when it is empty or not made of the program's alphabet alone.
    static QString normalisedWord(QStringView word);

private:
    ImportOptions m_options;
    Progress m_progress;
};
