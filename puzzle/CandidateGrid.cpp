// CandidateGrid: a board's digits and the candidates of its empty cells, as techniques read them.
#include "CandidateGrid.h"

#include <bitset>

CandidateGrid::CandidateGrid(const EnneoPuzzle& puzzle) {
    for (int i = 0; i < 81; ++i) {
        EnneoPuzzle::Cell cell = CellAt(i);
        digits_[i] = static_cast<uint8_t>(puzzle.GetCell(cell.x, cell.y));
        candidates_[i] = static_cast<uint16_t>(puzzle.GetCandidatesMask(cell.x, cell.y));
    }
}

CandidateGrid::CandidateGrid(const EnneoPuzzle& puzzle, const std::array<uint16_t, 81>& candidates) {
    for (int i = 0; i < 81; ++i) {
        EnneoPuzzle::Cell cell = CellAt(i);
        digits_[i] = static_cast<uint8_t>(puzzle.GetCell(cell.x, cell.y));
        candidates_[i] = digits_[i] == 0 ? static_cast<uint16_t>(candidates[i] & 0x1FF) : 0;
    }
}

CandidateGrid::CandidateGrid(const EnneoPuzzle& board, const PencilMarks& marks) : CandidateGrid(board) {
    for (int i = 0; i < 81; ++i) {
        EnneoPuzzle::Cell cell = CellAt(i);
        int marked = marks.Get(cell.x, cell.y);
        if (marked != 0) candidates_[i] &= static_cast<uint16_t>(marked);
    }
}

// Both from tables: the techniques ask them in their innermost loops.
int CandidateGrid::UnitCell(int unit, int i) {
    static const std::array<std::array<uint8_t, 9>, kUnitCount> cells = [] {
        std::array<std::array<uint8_t, 9>, kUnitCount> table;
        for (int u = 0; u < kUnitCount; ++u) {
            for (int j = 0; j < 9; ++j) table[u][j] = static_cast<uint8_t>(CellOf(UnitOf(u).CellAt(j)));
        }
        return table;
    }();
    return cells[unit][i];
}

bool CandidateGrid::Sees(int a, int b) {
    static const std::array<std::bitset<81>, 81> peers = [] {
        std::array<std::bitset<81>, 81> table;
        for (int x = 0; x < 81; ++x) {
            for (int y = 0; y < 81; ++y) {
                table[x][y] =
                    x != y && (RowOf(x) == RowOf(y) || ColumnOf(x) == ColumnOf(y) || BlockOf(x) == BlockOf(y));
            }
        }
        return table;
    }();
    return peers[a][b];
}

bool CandidateGrid::IsComplete() const {
    for (uint8_t digit : digits_) {
        if (digit == 0) return false;
    }
    return true;
}

int CandidateGrid::PlacesOf(int unit, int digit) const {
    int places = 0;
    for (int i = 0; i < 9; ++i) {
        if (HasCandidate(UnitCell(unit, i), digit)) places |= 1 << i;
    }
    return places;
}

int CandidateGrid::DigitsIn(int unit) const {
    int digits = 0;
    for (int i = 0; i < 9; ++i) {
        int digit = digits_[UnitCell(unit, i)];
        if (digit != 0) digits |= 1 << (digit - 1);
    }
    return digits;
}

void CandidateGrid::Place(int cell, int digit) {
    digits_[cell] = static_cast<uint8_t>(digit);
    candidates_[cell] = 0;
    for (int other = 0; other < 81; ++other) {
        if (Sees(cell, other)) Eliminate(other, digit);
    }
}
