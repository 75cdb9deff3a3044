// CandidateGrid: a board's digits and the candidates of its empty cells, as techniques read them.
#pragma once

#include "EnneoPuzzle.h"
#include "GridUnit.h"
#include "PencilMarks.h"

#include <array>
#include <cstdint>

// The digits of a board and, for each empty cell, nine bits of candidates (bit d-1 for
// digit d): computed from the digits, or given as they stand, as a player's pencil marks
// do. Cells are numbered in reading order, (x, y) as (y - 1) * 9 + (x - 1); units 0-8 are
// the rows, 9-17 the columns and 18-26 the blocks, each in GridUnit's order. Placing a
// digit takes it from the candidates of the cells that see it. A plain value.
class CandidateGrid {
public:
    static const int kUnitCount = 27;

    // Candidates as EnneoPuzzle::GetCandidatesMask answers them.
    explicit CandidateGrid(const EnneoPuzzle& puzzle);
    // The puzzle's digits with candidates[i] for each empty cell i (reading order); the
    // masks of filled cells are ignored.
    CandidateGrid(const EnneoPuzzle& puzzle, const std::array<uint16_t, 81>& candidates);
    // The player's candidates: a cell's pencil marks where it has any, less the digits
    // the board rules out, and otherwise every digit the board allows.
    CandidateGrid(const EnneoPuzzle& board, const PencilMarks& marks);

    static int CellOf(EnneoPuzzle::Cell cell) { return (cell.y - 1) * 9 + (cell.x - 1); }
    static EnneoPuzzle::Cell CellAt(int cell) { return {cell % 9 + 1, cell / 9 + 1}; }
    static int RowOf(int cell) { return cell / 9; }
    static int ColumnOf(int cell) { return cell % 9; }
    static int BlockOf(int cell) { return cell / 27 * 3 + cell % 9 / 3; }
    // Cell i (0 to 8) of unit u (0 to 26), and the unit as GridUnit names it.
    static int UnitCell(int unit, int i);
    static GridUnit UnitOf(int unit) { return {static_cast<GridUnit::Kind>(unit / 9), unit % 9}; }
    // True when two different cells share a row, a column or a block.
    static bool Sees(int a, int b);

    int GetDigit(int cell) const { return digits_[cell]; }
    int GetCandidates(int cell) const { return candidates_[cell]; }
    bool HasCandidate(int cell, int digit) const { return (candidates_[cell] >> (digit - 1) & 1) != 0; }
    bool IsComplete() const;
    // Bit i for each cell i of unit u with digit among its candidates.
    int PlacesOf(int unit, int digit) const;
    // The digits filled in unit u.
    int DigitsIn(int unit) const;

    // Fills an empty cell; digit leaves the candidates of every cell that sees it.
    void Place(int cell, int digit);
    void Eliminate(int cell, int digit) { candidates_[cell] &= static_cast<uint16_t>(~(1 << (digit - 1))); }

private:
    std::array<uint8_t, 81> digits_{};
    std::array<uint16_t, 81> candidates_{};  // 0 for a filled cell
};
