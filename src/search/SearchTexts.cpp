#include "search/SearchTexts.h"

#include "common/modMain.h"
#include "db/text/PolishText.h"

namespace SearchTexts {

QString idleCaption(SearchKind kind) {
    switch (kind) {
    case SearchKind::Crossword:
        return QStringLiteral("&Szukaj");
    case SearchKind::Pattern:
        return QStringLiteral("Szu&kaj");
    case SearchKind::Scrabble:
        return QStringLiteral("Szuk&aj");
    case SearchKind::Query:
        return QStringLiteral("Szuka&j");
    }
    return QString();
}

QString runningCaption() {
    return QStringLiteral("&Przerwij");
}

bool isAbortCaption(const QString& caption) {
    QString bare = caption;
    bare.remove(QLatin1Char('&'));
    return upper(bare) == QLatin1String("PRZERWIJ");
}

QString statusRunning() {
    return QStringLiteral("Trwa wyszukiwanie...");
}

QString statusRunningIndexNotReady() {
    return QStringLiteral("Trwa wyszukiwanie... (wczytywanie indeksu)");
}

QString statusDone() {
    return QStringLiteral("Wyszukiwanie zakończone");
}

QString statusFailed() {
    return QStringLiteral("Wyszukiwanie zakończone błędem");
}

QString countText(qint64 listed) {
    return QStringLiteral("Pasujące rekordy: ") + QString::number(listed);
}

QString placeText(SearchKind kind) {
    return QStringLiteral("frmMain: btnSearch%1_Click").arg(static_cast<int>(kind));
}

QString trimSpaces(const QString& text) {
    return modMain::TrimBlanks(text);
}

QString upper(QString text) {
    // Every listed word passes here: the letters of the alphabet are looked up
    // in the table of the row tests, so both decide letters the same way.
    const char16_t* table = PolishText::upperTable();
    const auto up = [table](QChar c) {
        return c.unicode() < PolishText::UpperTableSize ? QChar(table[c.unicode()])
                                                        : PolishText::upperChar(c);
    };
    // Most words are stored in upper case already: share the text then. A
    // text handed over (not shared) is changed in place, without a copy.
    const qsizetype size = text.size();
    const QChar* read = text.constData();
    qsizetype i = 0;
    while (i < size && up(read[i]) == read[i])
        ++i;
    if (i == size)
        return text;
    QChar* chars = text.data();
    for (; i < size; ++i)
        chars[i] = up(chars[i]);
    return text;
}

QString wordOf(const QVariant& value) {
    return upper(modMain::UsunNull(value).toString());
}

} // namespace SearchTexts
