#pragma once

#include "search/CrosswordSearch.h"
#include "search/PatternSearch.h"
#include "search/QuerySearch.h"
#include "search/ScrabbleSearch.h"
#include "search/SearchKind.h"

#include <optional>
#include <variant>

// One of the four searches, as read from the window (or the command line).
using SearchSpec = std::variant<CrosswordSearch, PatternSearch, ScrabbleSearch, QuerySearch>;

inline SearchKind kindOf(const SearchSpec& spec) {
    return static_cast<SearchKind>(spec.index() + 1);
}

inline std::optional<ValidationFailure> validate(const SearchSpec& spec) {
    return std::visit([](const auto& search) { return search.validate(); }, spec);
}
