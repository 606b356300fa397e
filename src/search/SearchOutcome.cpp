#include "search/SearchOutcome.h"

#include "common/modMain.h"
#include "search/SearchTexts.h"

void SearchOutcome::reportError(modMain& mod) const {
    if (!failed() || !error)
        return;
    mod.ShowErrorMessage(*error);
    if (logsError(mod.settings.LogQueryErrors))
        mod.ReportError(SearchTexts::placeText(kind), *error);
}
