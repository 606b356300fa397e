#pragma once

#include "search/CrosswordSearch.h"
#include "search/PatternSearch.h"
#include "search/QuerySearch.h"
#include "search/ScrabbleSearch.h"
#include "search/SearchKind.h"

#include <optional>
#include <variant>

// One of the four searches, as read from the window (or the command line).
using SearchRequest = std::variant<CrosswordSearch, PatternSearch, ScrabbleSearch, QuerySearch>;

inline SearchKind kindOf(const SearchRequest& request) {
    return static_cast<SearchKind>(request.index() + 1);
}

inline std::optional<ValidationFailure> validate(const SearchRequest& request) {
    return std::visit([](const auto& search) { return search.validate(); }, request);
}
