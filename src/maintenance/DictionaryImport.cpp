#include "maintenance/DictionaryImport.h"

#include "common/modMain.h"
#include "db/AppError.h"
#include "db/access/AccessSnapshot.h"
#include "db/native/DictionaryWriter.h"
#include "db/text/PolishOrder.h"
#include "maintenance/WordListText.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

QString quoted(const QString& path) {
    return QStringLiteral("„%1”").arg(QDir::toNativeSeparators(path));
}

// Upper-case letter of the alphabet for each code unit below 0x250 (0: refused),
// built from modMain's own rules so the import accepts exactly what CheckChars does.
const std::array<char16_t, 0x250>& letterTable() {
    static const std::array<char16_t, 0x250> table = [] {
        std::array<char16_t, 0x250> t{};
        for (char16_t u = 0; u < t.size(); ++u) {
            const QChar upper = modMain::UpperChar(QChar(u));
            t[u] = modMain::IsAlphabetLetter(upper) ? upper.unicode() : 0;
        }
        return t;
    }();
    return table;
}

inline char16_t alphabetLetter(QChar c, const std::array<char16_t, 0x250>& table = letterTable()) {
    const char16_t u = c.unicode();
    if (u < 0x250)
        return table[u];
    const QChar upper = modMain::UpperChar(c);
    return modMain::IsAlphabetLetter(upper) ? upper.unicode() : 0;
}

constexpr qint64 ReportEvery = 1 << 20;

// Everything read from the sources, kept compact: millions of words are normal.
class Collector {
public:
    Collector(ImportCounts& counts, const ImportOptions& options, const DictionaryImport::Progress& progress)
        : m_counts(counts), m_options(options), m_progress(progress) {}

    void readWordList(const QString& path) {
        const WordListText list = WordListText::read(path);
        const QString& text = list.text();
        // Room for every character and (at a guess) every line at once: millions of
        // small reallocations would cost more than the reading.
        m_chars.reserve(m_chars.size() + static_cast<size_t>(text.size()));
        m_entries.reserve(m_entries.size() + static_cast<size_t>(text.size() / 8));
        const QChar* begin = text.constData();
        const QChar* const end = begin + text.size();
        const QChar* lineStart = begin;
        qint64 nextReport = ReportEvery;
        while (lineStart < end) {
            const QChar* lineEnd = lineStart;
            // LF, CR LF and old Mac CR all end a line (CR LF leaves a blank line between).
            while (lineEnd < end && *lineEnd != u'\n' && *lineEnd != u'\r')
                ++lineEnd;
            readLine(QStringView(lineStart, lineEnd));
            lineStart = lineEnd + 1;
            if (m_progress && lineStart - begin >= nextReport) {
                nextReport += ReportEvery;
                m_progress(DictionaryImport::Phase::Reading, path, lineStart - begin, text.size());
            }
        }
    }

    void readAccess(const QString& path) {
        AccessSnapshot file = [&] {
            try {
                return AccessSnapshot::open(path, m_options.password);
            } catch (const AppError& e) {
                throw AppError(
                    e.number(),
                    QStringLiteral("Nie można otworzyć bazy %1: %2").arg(quoted(path), e.description()));
            }
        }();
        const QString wordsTable = file.findTable(QStringLiteral("WYRAZY"));
        const QString descriptionsTable = file.findTable(QStringLiteral("OPISY"));
        if (wordsTable.isEmpty() || descriptionsTable.isEmpty())
            throw AppError(AppError::ProviderError,
                           QStringLiteral("Baza %1 nie jest słownikiem: nie zawiera tabel WYRAZY i OPISY.")
                               .arg(quoted(path)));
        const int wordId = columnIndex(file, path, wordsTable, QStringLiteral("WyrazID"));
        const int word = columnIndex(file, path, wordsTable, QStringLiteral("Wyraz"));
        const int descriptionWordId = columnIndex(file, path, descriptionsTable, QStringLiteral("WyrazID"));
        const int description = columnIndex(file, path, descriptionsTable, QStringLiteral("Opis"));

        QHash<qint64, qint32> entryById;
        qint64 rows = 0;
        file.forEachRow(wordsTable, [&](const QVector<QVariant>& row) {
            ++m_counts.entries;
            const qint32 entry = row.at(word).isValid() ? addWord(row.at(word).toString(), false) : refuse();
            bool ok = false;
            const qint64 id = row.at(wordId).toLongLong(&ok);
            if (entry >= 0 && ok && row.at(wordId).isValid())
                entryById.insert(id, entry);
            if (m_progress && ++rows % 65536 == 0)
                m_progress(DictionaryImport::Phase::Reading, path, rows, 0);
            return true;
        });
        file.forEachRow(descriptionsTable, [&](const QVector<QVariant>& row) {
            const QString text = row.at(description).toString().trimmed();
            if (text.isEmpty())
                return true;
            bool ok = false;
            const qint64 id = row.at(descriptionWordId).toLongLong(&ok);
            const auto it =
                ok && row.at(descriptionWordId).isValid() ? entryById.constFind(id) : entryById.cend();
            if (it == entryById.cend())
                ++m_counts.descriptionsWithoutWord;
            else
                addDescription(it.value(), text);
            return true;
        });
    }

    // The words, sorted in Polish order with identical words next to each other.
    std::vector<QStringView> views() const {
        std::vector<QStringView> out;
        out.reserve(m_entries.size());
        for (const Entry& e : m_entries)
            out.emplace_back(reinterpret_cast<const QChar*>(m_chars.data()) + e.offset, e.length);
        return out;
    }

    // Descriptions of one entry, in the order they were read.
    template <class Visit> void forEachDescription(quint32 entry, Visit&& visit) {
        sortDescriptions();
        auto it = std::lower_bound(m_descriptions.begin(), m_descriptions.end(), entry,
                                   [](const auto& d, quint32 e) { return d.first < e; });
        for (; it != m_descriptions.end() && it->first == entry; ++it)
            visit(it->second);
    }

    bool hasDescriptions() const { return !m_descriptions.empty(); }
    qint64 descriptionCount() const { return static_cast<qint64>(m_descriptions.size()); }

private:
    struct Entry {
        quint32 offset;
        quint32 length;
    };

    ImportCounts& m_counts;
    const ImportOptions& m_options;
    const DictionaryImport::Progress& m_progress;
    const std::array<char16_t, 0x250>& m_letters = letterTable();
    std::u16string m_chars;
    std::vector<Entry> m_entries;
    std::vector<std::pair<quint32, QString>> m_descriptions;
    bool m_descriptionsSorted = true;

    static int columnIndex(const AccessSnapshot& file, const QString& path, const QString& table,
                           const QString& name) {
        const QVector<AccessColumn> columns = file.columns(table);
        for (qsizetype i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        throw AppError(AppError::ProviderError,
                       QStringLiteral("Baza %1 nie jest słownikiem: tabela %2 nie zawiera pola %3.")
                           .arg(quoted(path), table, name));
    }

    qint32 refuse() {
        ++m_counts.skippedChars;
        return -1;
    }

    void readLine(QStringView line) {
        const qsizetype tab = line.indexOf(u'\t');
        const QStringView word = (tab < 0 ? line : line.left(tab)).trimmed();
        const QStringView description = tab < 0 ? QStringView() : line.mid(tab + 1).trimmed();
        if (word.isEmpty() && description.isEmpty())
            return; // a blank line is no entry
        ++m_counts.entries;
        const qint32 entry = addWord(word, m_options.skipCapitalised);
        if (!description.isEmpty()) {
            if (entry >= 0)
                addDescription(static_cast<quint32>(entry), description.toString());
            else
                ++m_counts.descriptionsWithoutWord;
        }
    }

    // Stores the trimmed, upper-cased word; -1 when it is refused (and counted).
    qint32 addWord(QStringView raw, bool skipCapitalised) {
        const QStringView word = raw.trimmed();
        if (word.isEmpty())
            return refuse();
        if (skipCapitalised && word.front().isUpper()) {
            ++m_counts.skippedCapitalised;
            return -1;
        }
        const size_t start = m_chars.size();
        m_chars.resize(start + static_cast<size_t>(word.size()));
        char16_t* out = m_chars.data() + start;
        for (const QChar c : word) {
            const char16_t letter = alphabetLetter(c, m_letters);
            if (letter == 0) {
                m_chars.resize(start);
                return refuse();
            }
            *out++ = letter;
        }
        if (word.size() > DictionaryImport::MaxWordLength) {
            m_chars.resize(start);
            ++m_counts.skippedLength;
            return -1;
        }
        m_entries.push_back(Entry{static_cast<quint32>(start), static_cast<quint32>(word.size())});
        return static_cast<qint32>(m_entries.size() - 1);
    }

    void addDescription(quint32 entry, const QString& text) {
        if (text.size() > DictionaryImport::MaxDescriptionLength) {
            ++m_counts.descriptionsTooLong;
            return;
        }
        if (!m_descriptions.empty() && m_descriptions.back().first > entry)
            m_descriptionsSorted = false;
        m_descriptions.emplace_back(entry, text);
    }

    void sortDescriptions() {
        if (m_descriptionsSorted)
            return;
        std::stable_sort(m_descriptions.begin(), m_descriptions.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        m_descriptionsSorted = true;
    }
};

} // namespace

DictionaryImport::DictionaryImport(ImportOptions options) : m_options(std::move(options)) {}

QString DictionaryImport::normalisedWord(QStringView word) {
    const QStringView trimmed = word.trimmed();
    if (trimmed.isEmpty())
        return QString();
    QString out(trimmed.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t letter = alphabetLetter(trimmed[i]);
        if (letter == 0)
            return QString();
        out[i] = QChar(letter);
    }
    return out;
}

ImportCounts DictionaryImport::run(const QString& target, const QStringList& sources) {
    ImportCounts counts;
    // The target first: a locked or read-only dictionary is reported before any reading.
    DictionaryWriter writer(target, m_options.password);

    // Existing words, trimmed and upper-cased as imported ones are, so "kot" in the
    // file and "KOT" in a list are the same word. Words outside the alphabet can
    // never meet an imported one.
    QHash<QString, qint64> existing;
    if (!writer.isNewFile()) {
        writer.forEachWord([&](qint64 id, const QString& word) {
            const QString key = normalisedWord(word);
            if (!key.isNull() && !existing.contains(key))
                existing.insert(key, id);
        });
    }

    Collector collector(counts, m_options, m_progress);
    for (const QString& source : sources) {
        if (m_progress)
            m_progress(Phase::Reading, source, 0, 0);
        if (AccessFile::looksLikeAccessFile(source))
            collector.readAccess(source);
        else
            collector.readWordList(source);
    }

    if (m_progress)
        m_progress(Phase::Sorting, QString(), 0, 0);
    const std::vector<QStringView> words = collector.views();
    const std::vector<quint32> order = PolishOrder::sorted(words);

    qint64 rowsToWrite = collector.descriptionCount();
    for (size_t i = 0; i < order.size(); ++i)
        if (i == 0 || words[order[i]] != words[order[i - 1]])
            ++rowsToWrite;
    writer.setProgress([&](qint64 rows) {
        if (m_progress)
            m_progress(Phase::Writing, target, rows, rowsToWrite);
    });
    for (size_t i = 0; i < order.size();) {
        const QStringView word = words[order[i]];
        size_t groupEnd = i + 1;
        while (groupEnd < order.size() && words[order[groupEnd]] == word)
            ++groupEnd;

        qint64 id = -1;
        if (!existing.isEmpty())
            id = existing.value(word.toString(), -1);
        const bool known = id >= 0;
        if (!known) {
            id = writer.addWord(word);
            ++counts.wordsAdded;
        }
        counts.duplicates += static_cast<qint64>(groupEnd - i) - (known ? 0 : 1);

        if (collector.hasDescriptions()) {
            QSet<QString> seen;
            bool loaded = !known;
            for (size_t k = i; k < groupEnd; ++k) {
                collector.forEachDescription(order[k], [&](const QString& text) {
                    if (!loaded) {
                        const QStringList present = writer.descriptions(id);
                        seen = QSet<QString>(present.begin(), present.end());
                        loaded = true;
                    }
                    if (seen.contains(text)) {
                        ++counts.duplicateDescriptions;
                        return;
                    }
                    seen.insert(text);
                    writer.addDescription(id, text);
                    ++counts.descriptionsAdded;
                });
            }
        }
        i = groupEnd;
    }
    if (m_progress)
        m_progress(Phase::Finishing, target, 0, 0);
    writer.commit();
    return counts;
}

QString DictionaryImport::summary(const ImportCounts& c) {
    QStringList lines;
    lines << QStringLiteral("Dodane wyrazy: %1").arg(c.wordsAdded);
    lines << QStringLiteral("Dodane opisy: %1").arg(c.descriptionsAdded);
    lines << QStringLiteral("Pominięte wpisy: %1 (niedozwolone znaki: %2; dłuższe niż %3 znaków: %4; "
                            "z wielkiej litery: %5)")
                 .arg(c.skipped())
                 .arg(c.skippedChars)
                 .arg(MaxWordLength)
                 .arg(c.skippedLength)
                 .arg(c.skippedCapitalised);
    lines << QStringLiteral("Duplikaty: %1 (powtórzone opisy: %2)")
                 .arg(c.duplicates)
                 .arg(c.duplicateDescriptions);
    lines << QStringLiteral("Odrzucone opisy: %1 (dłuższe niż %2 znaków: %3; bez wyrazu: %4)")
                 .arg(c.descriptionsRefused())
                 .arg(MaxDescriptionLength)
                 .arg(c.descriptionsTooLong)
                 .arg(c.descriptionsWithoutWord);
    return lines.join(QLatin1Char('\n'));
}
