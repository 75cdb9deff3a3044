// PencilMarks: the digits the player notes in empty cells, as on paper.
#pragma once

#include <cstdint>

// Nine bits for each of the 81 cells, bit d-1 for digit d, addressed as the puzzle's
// cells are: (x, y), the column and the row, 1 to 9. A fixed-size value that knows no
// digits of the grid: the game keeps marks out of filled cells and tells of each
// placement. Compared and copied whole.
class PencilMarks {
public:
    int Get(int x, int y) const { return masks_[x - 1][y - 1]; }
    // mask: nine bits at most, as Get answers.
    void Set(int x, int y, int mask);
    void Toggle(int x, int y, int digit);
    void ClearCell(int x, int y);
    // After digit was placed at (x, y): the cell's marks go, and so does digit from the
    // marks of every cell in its row, column and block.
    void Place(int x, int y, int digit);

    bool operator==(const PencilMarks& other) const;

private:
    uint16_t masks_[9][9] = {};  // [x - 1][y - 1]
};
