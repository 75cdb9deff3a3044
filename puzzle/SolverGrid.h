// SolverGrid: the solver's working copy of a grid, with candidates as bit masks.
#pragma once

#include <cassert>
#include <cstdint>

class EnneoPuzzle;

// The digits of a grid and each empty cell's candidates as nine bits (bit d-1 for digit
// d), kept up to date as digits are placed, so that the solver's strategies read masks
// instead of recomputing candidate texts. Candidates follow the grid's validity rule, so
// they are exactly the digits that EnneoPuzzle::GetCandidatesFor lists. Cells are
// numbered column by column, (x, y) as (x - 1) * 9 + (y - 1), so that counting up
// walks the grid in the order the solver scans it. A plain value of a few hundred bytes.
class SolverGrid {
public:
    static const int kAllDigits = 0x1FF;

    // The solver's ways to place a digit, in the order a step tries them: the four
    // deductions, then a trial.
    enum Strategy { kSingleCandidate, kSingleInBlock, kSingleInRow, kSingleInColumn, kTrial };

    struct Placement {
        int cell;
        int digit;
        int X() const { return cell / 9 + 1; }
        int Y() const { return cell % 9 + 1; }
    };

    explicit SolverGrid(const EnneoPuzzle& puzzle);

    // The lowest digit of a non-empty mask.
    static int LowestDigit(int mask) { return __builtin_ctz(static_cast<unsigned>(mask)) + 1; }

    bool IsEmpty(int cell) const { return digits_[cell] == 0; }
    int GetDigit(int cell) const { return digits_[cell]; }
    int GetCandidates(int cell) const { return candidates_[cell]; }
    bool IsComplete() const { return emptyCells_ == 0; }
    int GetEmptyCount() const { return emptyCells_; }
    // True when a filled digit repeats in a row, a column or a block: possible only
    // with given digits loaded without the validity rule. The rule's home is GridClash;
    // the solver keeps it in its unit masks, which the search reads at every node.
    bool HasRepeatedDigit() const { return repeatUnits_ != 0; }
    // The first empty cell in scan order, or -1 on a complete grid.
    int FirstEmptyCell() const;
    // Fills an empty cell with one of its candidates.
    void Place(int cell, int digit) { Place(cell, digit, nullptr); }
    void Place(Placement placement) { Place(placement.cell, placement.digit); }
    // True when every filled cell of this grid holds the same digit in other.
    bool IsPartOf(const SolverGrid& other) const;

    // The solver's deductions, each the placement the plain rule would make first:
    // the first empty cell in scan order with a single candidate; the first block
    // (rows, columns) in which a digit, from 1 up, has a single place.
    bool FindSingleCandidate(Placement& placement) const;
    bool FindSingleInBlock(Placement& placement) const;
    bool FindSingleInRow(Placement& placement) const;
    bool FindSingleInColumn(Placement& placement) const;
    // The first of the four that finds a placement. *used, when given, is the one that
    // found it, or kTrial when none did.
    bool FindDeduction(Placement& placement, Strategy* used = nullptr) const;

    // Counts the ways to fill every empty cell so that no digit placed repeats one beside
    // it in a row, a column or a block, stopping at limit. The first way found is put
    // into *first (if not null), a complete grid; its candidates mean nothing. With a
    // budget, each node of the search takes one from it, and the count is -1 when the
    // budget runs out before the count is certain (then it stays below zero).
    int CountCompletions(int limit, SolverGrid* first, int64_t* budget = nullptr) const;

private:
    // Empty cells whose candidates came down to one or none, to be placed or found dead.
    // A cell enters when it is found so at the start of a count and each time its
    // candidates change while at most one is left: at most twice in all.
    struct NarrowedCells {
        uint8_t cells[2 * 81 + 1];  // and room for the write of one that does not enter
        int count = 0;
        void Add(int cell) { AddIf(cell, true); }
        // Without a branch, which would often be mispredicted: the cell is written in any case.
        void AddIf(int cell, bool enters) {
            assert(count < static_cast<int>(sizeof cells));
            cells[count] = static_cast<uint8_t>(cell);
            count += enters ? 1 : 0;
        }
    };

    // Place, noting in *narrowed (when not null) each cell that it narrows.
    void Place(int cell, int digit, NarrowedCells* narrowed);
    // Takes digits out of a cell's candidates, likewise.
    void TakeOut(int cell, int digits, NarrowedCells* narrowed);
    bool FindSingleInUnits(int firstUnit, Placement& placement) const;
    // Places the digits that are forced, starting with the narrowed cells; false when a
    // cell or a unit is left without a possible digit.
    bool PlaceForcedDigits(NarrowedCells& narrowed);
    // Places the narrowed cells' candidates, and the digits those placements force in
    // turn; false at a cell without a candidate.
    bool PlaceNarrowedCells(NarrowedCells& narrowed);
    // Places every digit that has a single place in a unit that must hold it: the number
    // placed, or -1 when a unit cannot hold the digits it lacks.
    int PlaceSinglesInUnits(NarrowedCells& narrowed);
    struct Tally;
    // The tally of each unit's candidates: blocks, rows, columns.
    void TallyUnits(Tally (&tallies)[27]) const;
    bool RemoveLockedCandidates(NarrowedCells& narrowed);
    // The candidates of a segment's cells (see SolverGrid.cpp).
    int SegmentCandidates(int segment) const;
    // Removes digits from the cells of two segments and brings segments[] up to date.
    void RemoveCandidates(const int (&twoSegments)[2], int digits, int* segments, NarrowedCells& narrowed);
    void Search(int limit, int& count, SolverGrid* first, int64_t* budget, NarrowedCells& narrowed);

    uint16_t candidates_[81];  // 0 for a filled cell
    uint16_t unitDigits_[27];  // blocks, rows, columns: the digits filled in each
    uint8_t digits_[81];       // 0 for an empty cell
    int emptyCells_ = 0;
    uint32_t repeatUnits_ = 0;  // bit u for each unit in which a filled digit repeats
};
