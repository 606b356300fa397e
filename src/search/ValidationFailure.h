#pragma once

#include "common/Prompts.h"

#include <QString>

// Which input of the main window gets the focus after a refused search.
enum class SearchField {
    Unchanged, // the focus stays where it is
    T,         // crossword letter field `T`(index)
    txtPattern,
    U, // rack field `U`(index)
    txtQuery,
};

// The first check a search's input fails: the warning text as the window shows
// it, the style of its box and where the focus goes.
struct ValidationFailure {
    QString message;
    SearchField focus = SearchField::Unchanged;
    int index = -1; // field index for T and U
    MsgStyle style = MsgStyle::Warning;

    bool operator==(const ValidationFailure&) const = default;
};
