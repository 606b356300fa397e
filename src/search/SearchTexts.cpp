#include "search/SearchTexts.h"

#include "app/modMain.h"

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

QString upper(const QString& text) {
    // Most words are stored in upper case already: share the text then.
    qsizetype i = 0;
    while (i < text.size() && modMain::UpperChar(text[i]) == text[i])
        ++i;
    if (i == text.size())
        return text;
    QString result = text;
    for (; i < result.size(); ++i)
        result[i] = modMain::UpperChar(result[i]);
    return result;
}

QString wordOf(const QVariant& value) {
    return upper(modMain::UsunNull(value).toString());
}

} // namespace SearchTexts
