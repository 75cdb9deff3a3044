// Grids drawn at random for the solver's tests and benchmark.
#pragma once

#include "PuzzleTestGrids.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

// A complete grid drawn at random, as 81 characters: the pattern grid with its digits,
// the rows within each band, the bands, the columns within each stack and the stacks
// shuffled.
inline std::string RandomSolvedGrid(std::mt19937& random) {
    std::vector<int> digits = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::shuffle(digits.begin(), digits.end(), random);
    auto lines = [&random]() {
        std::vector<int> order, bands = {0, 1, 2};
        std::shuffle(bands.begin(), bands.end(), random);
        for (int band : bands) {
            std::vector<int> inner = {0, 1, 2};
            std::shuffle(inner.begin(), inner.end(), random);
            for (int i : inner) order.push_back(band * 3 + i);
        }
        return order;
    };
    std::vector<int> rows = lines(), columns = lines();
    std::string grid;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            grid += static_cast<char>('0' + digits[PatternDigit(columns[x] + 1, rows[y] + 1) - 1]);
        }
    }
    return grid;
}

// The grid with all but count of its digits, at most as many as it has, removed at random.
inline std::string KeepGivens(const std::string& grid, int count, std::mt19937& random) {
    std::vector<int> cells;
    for (int i = 0; i < 81; ++i) {
        if (grid[i] != '.') cells.push_back(i);
    }
    std::shuffle(cells.begin(), cells.end(), random);
    std::string kept(81, '.');
    for (int i = 0; i < count; ++i) kept[cells[i]] = grid[cells[i]];
    return kept;
}

// The grid with every cell of two digits drawn at random emptied: a completion with
// the two swapped is another, so a grid from a complete one has several.
inline std::string WithoutTwoDigits(std::string grid, std::mt19937& random) {
    int one = static_cast<int>(random() % 9), other = (one + 1 + static_cast<int>(random() % 8)) % 9;
    std::replace(grid.begin(), grid.end(), static_cast<char>('1' + one), '.');
    std::replace(grid.begin(), grid.end(), static_cast<char>('1' + other), '.');
    return grid;
}
