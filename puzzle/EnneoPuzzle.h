// EnneoPuzzle: one nine-by-nine puzzle with its rules, text format and solver.
#pragma once

#include "common/Object.h"

#include <cassert>
#include <cstddef>
#include <functional>

// The digit and state of each of the 81 cells, the rule that no digit repeats in a row,
// a column or a 3x3 block, each empty cell's candidates, and the selected cell. A
// fixed-size value without heap storage: assignment copies it whole, so grids are
// snapshot and restored by plain copies. Cells are addressed as (x, y), x the column
// and y the row, both 1 to 9, and digits are 1 to 9 (0 for none): callers never pass
// anything else, which assert() checks where assertions are on. Nothing here throws or
// reports: a refused digit leaves the cell as it was, file operations answer a bool.
class EnneoPuzzle : public Object {
public:
    enum CellState { CELL_EMPTY = 0, CELL_SET = 1, CELL_KNOWN = 2 };

    struct Cell {
        int x;
        int y;
    };

    // Length of the printed grid: 9 grid lines and 2 separator lines of 24 characters.
    static const int kPrintLength = 264;
    // Bytes the reader looks at, and bytes a saved file holds: the printed grid
    // followed by nine zero bytes.
    static const int kFileLength = 273;
    // The sample puzzle the board shows at start, in the text format.
    static const char kSampleText[];
    // The printed grid's line between bands, its CR LF included: kSeparatorLength
    // characters, all of which the reader skips at its first '-'.
    static const char kSeparatorLine[];
    static const int kSeparatorLength = 24;

    EnneoPuzzle();
    virtual ~EnneoPuzzle() = default;

    // Grid and cell rules.
    // The digit, 0 when the cell is empty; and the cell's CellState. Inline: the solver
    // and the tools read every cell of thousands of grids.
    int GetCell(int x, int y) const { return GetCellState(x, y) == CELL_EMPTY ? 0 : values_[x - 1][y - 1]; }
    int GetCellState(int x, int y) const {
        assert(x >= 1 && x <= 9 && y >= 1 && y <= 9);
        return states_[x - 1][y - 1];
    }
    // Places value with state under the validity rule, or empties the cell when value
    // is 0; a refused digit leaves the cell unchanged. Given cells are not protected.
    void SetCell(int x, int y, int value, int state);
    // Stores value and state as they are, without the validity rule, to bring back a
    // cell as the grid held it before (undo and redo; a game file's checked board).
    // value is 0 exactly when state is CELL_EMPTY.
    void RestoreCell(int x, int y, int value, int state);
    // True when value repeats nowhere in the cell's row, column and block; the cell
    // itself takes part, so the answer for a filled cell's own digit is false.
    bool IsValidValue(int x, int y, int value) const;
    // The candidate digits of an empty cell in ascending order ("138"), or the digit of
    // a filled cell. Valid until the next call for the same cell, Clear or assignment.
    const wchar_t* GetCandidatesFor(int x, int y);
    // Bit d-1 for each candidate d of an empty cell; 0 for a filled cell.
    int GetCandidatesMask(int x, int y) const;
    void SetSelectedCell(int x, int y);  // (0, 0) selects no cell
    Cell GetSelectedCell() const;  // (0, 0) when no cell is selected
    void Clear();                  // empties every cell
    void Reset();                  // empties the set cells, keeps the given ones
    bool IsSolved() const;         // no cell is empty
    // Fills the whole grid with random valid digits as givens, drawn from the C
    // runtime's unseeded generator, so each run of the program yields the same grids.
    void generate();

    // Text format: a picture of the grid, digits for filled cells and dots for empty
    // ones, bars between blocks and dashed lines between bands, lines ending in CR LF.
    const wchar_t* Print();  // the printed grid, kPrintLength characters
    // Reads a puzzle file into this grid without emptying it first. False, with the
    // grid unchanged, when the file cannot be opened or read.
    bool Load(const wchar_t* path);
    // The same reader over narrow text, up to kFileLength bytes or its terminator.
    void LoadFromString(const char* text);
    // The same reader over the first kFileLength bytes of a buffer; zero bytes are
    // ignored like any other character the format does not use.
    void LoadFromBytes(const char* bytes, size_t count);
    // Writes the printed grid and nine zero bytes. The old file is replaced only after
    // the new one is written in full beside it, under a name no file held before, and
    // keeps its attributes or permissions; in a folder that takes no new file (or where
    // every such name is taken) the old file is overwritten in place. A file marked
    // read-only is not saved over. False on any failure, with the old file intact
    // except after a failed write in place, and nothing left beside it.
    bool Save(const wchar_t* path);

    // Solver: one placement per step, by the first strategy that applies. Its steps
    // are those of the plain rule (see EnneoPuzzleSolver.cpp), including what a failed
    // trial leaves behind; only the way they are computed is fast. Trials that would
    // take more than a fraction of a second of search fail instead (see
    // StepSolver.h): only repeated givens from a file have been seen to need that.
    bool SolveOne();  // true when one digit was placed into an empty cell
    // Told of each digit that a step of Solve places, after it is in the grid.
    using PlacementListener = std::function<void(int x, int y, int digit)>;
    // Steps until no step places a digit, all with one solver state and so one search
    // budget; a loop of SolveOne gives each step a fresh budget and can end elsewhere.
    // Without a listener the steps are skipped where their end is certain (see
    // StepSolver::FindEnd); the grid ends the same.
    void Solve(const PlacementListener& onPlaced = nullptr);

    // The solver's strategies in the order SolveOne tries them; each places at most one
    // digit, with state CELL_SET, and says whether it did.
    bool PlaceSingleCandidate();
    bool PlaceSingleInBlock();
    bool PlaceSingleInRow();
    bool PlaceSingleInColumn();
    bool PlaceByTrial();

private:
    int values_[9][9];       // [x - 1][y - 1]; only meaningful when the state is not empty
    int states_[9][9];       // [x - 1][y - 1]
    wchar_t candidates_[9][9][10];
    int selectedX_ = 0;
    int selectedY_ = 0;
    wchar_t print_[kFileLength];
};
