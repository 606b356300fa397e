#pragma once

#include <QString>

// The entries of the results list's pop-up menu as a right click finds them:
// which are enabled and the caption of the delete entry.
struct ResultsMenuState {
    bool maintainDescriptions = true; // "Zarządzaj opisami"
    bool maintainWord = true;         // "Modyfikuj wyraz"
    bool addWord = true;              // "Dodaj nowy wyraz"
    bool deleteWord = true;
    QString deleteCaption; // "Usuń wyraz" or "Usuń wyrazy"

    bool operator==(const ResultsMenuState&) const = default;

    // `rows` and `selected` count the list's rows and selected rows; a list
    // that is not sorted holds query results, which nothing may be done with.
    static ResultsMenuState decide(int rows, int selected, bool readOnly, bool sorted);
};
