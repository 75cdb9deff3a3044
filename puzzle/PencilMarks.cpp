// PencilMarks: the digits the player notes in empty cells, as on paper.
#include "PencilMarks.h"

#include "GridUnit.h"

#include <cassert>
#include <cstring>

void PencilMarks::Toggle(int x, int y, int digit) {
    assert(digit >= 1 && digit <= 9);
    masks_[x - 1][y - 1] ^= static_cast<uint16_t>(1 << (digit - 1));
}

void PencilMarks::Set(int x, int y, int mask) {
    assert(mask >= 0 && mask <= 0x1FF);
    masks_[x - 1][y - 1] = static_cast<uint16_t>(mask);
}

void PencilMarks::ClearCell(int x, int y) { masks_[x - 1][y - 1] = 0; }

void PencilMarks::Place(int x, int y, int digit) {
    assert(digit >= 1 && digit <= 9);
    uint16_t keep = static_cast<uint16_t>(~(1 << (digit - 1)));
    EnneoPuzzle::Cell cell{x, y};
    for (GridUnit unit : {GridUnit::RowOf(cell), GridUnit::ColumnOf(cell), GridUnit::BlockOf(cell)}) {
        for (int i = 0; i < 9; ++i) {
            EnneoPuzzle::Cell other = unit.CellAt(i);
            masks_[other.x - 1][other.y - 1] &= keep;
        }
    }
    ClearCell(x, y);
}

bool PencilMarks::operator==(const PencilMarks& other) const {
    return std::memcmp(masks_, other.masks_, sizeof(masks_)) == 0;
}
