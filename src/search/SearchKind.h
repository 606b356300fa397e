#pragma once

// The four searches of the main window, in the order of their frames.
enum class SearchKind { Crossword = 1, Pattern = 2, Scrabble = 3, Query = 4 };
