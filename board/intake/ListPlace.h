// ListPlace: which puzzle of a list file is on the board.
#pragma once

#include <cstddef>

// The puzzle's number, from 1, of the count of puzzles in the list.
struct ListPlace {
    size_t number;
    size_t count;
};
