#include "search/ResultsMenuState.h"

ResultsMenuState ResultsMenuState::decide(int rows, int selected, bool readOnly, bool sorted) {
    ResultsMenuState state;
    state.deleteCaption = QStringLiteral("Usuń wyraz");
    if (rows <= 0 || selected <= 0) {
        state.maintainDescriptions = false;
        state.maintainWord = false;
        state.deleteWord = false;
    } else if (selected > 1) {
        // Several words can only be deleted together.
        state.maintainDescriptions = false;
        state.maintainWord = false;
        state.deleteCaption = QStringLiteral("Usuń wyrazy");
    }
    if (readOnly) {
        state.maintainWord = false;
        state.addWord = false;
        state.deleteWord = false;
    }
    if (!sorted) {
        state.maintainDescriptions = false;
        state.maintainWord = false;
        state.addWord = false;
        state.deleteWord = false;
    }
    return state;
}
