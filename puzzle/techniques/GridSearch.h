// GridSearch: the small tools every technique searches a CandidateGrid with.
#pragma once

#include "puzzle/CandidateGrid.h"

#include <array>
#include <cstdint>
#include <vector>

namespace techniques {

const int kFirstRow = 0;
const int kFirstColumn = 9;
const int kFirstBlock = 18;

// The number of bits of a nine-bit mask, from a table: without a popcount instruction in
// the target, the builtin is a call, and the fish count bits in their innermost loops.
inline int Count(int bits) {
    static const std::array<uint8_t, 512> counts = [] {
        std::array<uint8_t, 512> table{};
        for (int mask = 1; mask < 512; ++mask) table[mask] = static_cast<uint8_t>(table[mask >> 1] + (mask & 1));
        return table;
    }();
    return counts[bits & 0x1FF];
}

// The nine-bit masks of size bits (1 to 4), ascending: the choices of cells, digits or
// lines that the subsets and the fish try.
inline const std::vector<int>& MasksOfSize(int size) {
    static const std::array<std::vector<int>, 5> masks = [] {
        std::array<std::vector<int>, 5> bySize;
        for (int mask = 1; mask < 512; ++mask) {
            if (Count(mask) < 5) bySize[Count(mask)].push_back(mask);
        }
        return bySize;
    }();
    return masks[size];
}

inline int Lowest(int bits) { return __builtin_ctz(static_cast<unsigned>(bits)); }
inline int Highest(int bits) { return 31 - __builtin_clz(static_cast<unsigned>(bits)); }
inline int Bit(int digit) { return 1 << (digit - 1); }

// The row, the column and the block of a cell, as unit numbers.
inline std::array<int, 3> UnitsOf(int cell) {
    return {kFirstRow + CandidateGrid::RowOf(cell), kFirstColumn + CandidateGrid::ColumnOf(cell),
            kFirstBlock + CandidateGrid::BlockOf(cell)};
}

inline bool InUnit(int cell, int unit) {
    for (int own : UnitsOf(cell)) {
        if (own == unit) return true;
    }
    return false;
}

// The cells of unit at the positions set in places.
inline std::vector<int> CellsAt(int unit, int places) {
    std::vector<int> cells;
    for (; places != 0; places &= places - 1) cells.push_back(CandidateGrid::UnitCell(unit, Lowest(places)));
    return cells;
}

// A strong link: a digit with exactly two places in a unit, so that one of them holds it.
struct Link {
    int unit;
    int ends[2];
};

// The strong links on digit in the units firstUnit to endUnit - 1.
inline std::vector<Link> LinksOf(const CandidateGrid& grid, int digit, int firstUnit, int endUnit) {
    std::vector<Link> links;
    for (int unit = firstUnit; unit < endUnit; ++unit) {
        int places = grid.PlacesOf(unit, digit);
        if (Count(places) != 2 || (grid.DigitsIn(unit) & Bit(digit)) != 0) continue;
        std::vector<int> cells = CellsAt(unit, places);
        links.push_back({unit, {cells[0], cells[1]}});
    }
    return links;
}

}  // namespace techniques
