#pragma once

#include "search/SearchKind.h"

#include <QString>
#include <QVariant>

// Captions, status-bar texts and place texts shared by the four searches, and
// the way a word read from a row becomes the text the list shows.
namespace SearchTexts {

// "&Szukaj", "Szu&kaj", "Szuk&aj", "Szuka&j": each button has its own Alt key.
QString idleCaption(SearchKind kind);
QString runningCaption(); // "&Przerwij"
// True when the button's caption, without "&" and upper-cased, is "PRZERWIJ":
// the click is the abort click of a running search.
bool isAbortCaption(const QString& caption);

QString statusRunning();          // panel 1 while a search runs
QString statusDone();             // panel 1 after a normal end or an abort
QString statusFailed();           // panel 1 after the error end
QString countText(qint64 listed); // panel 4: "Pasujące rekordy: " + count

// Panel 1 while a search waits for the word index still being read.
QString statusRunningIndexNotReady();

// Place text of a search's error trap: "frmMain: btnSearch1_Click" and so on.
QString placeText(SearchKind kind);

// Removes leading and trailing spaces (U+0020 only, as the text checks do).
QString trimSpaces(const QString& text);
// Upper-cases one character at a time, so a word keeps its length.
QString upper(QString text);
// The word of a result row as listed: UsunNull of the field, upper-cased.
QString wordOf(const QVariant& value);

} // namespace SearchTexts
