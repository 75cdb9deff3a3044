// PrintLayout: where the grids, their titles and the footer go on printed pages.
#include "PrintLayout.h"

#include <algorithm>

namespace {

// The window's cell at 96 DPI, to which the painter's widths are proportioned.
const int kWindowCellAt96 = 40;

struct Arrangement {
    int columns;
    int rows;
    int side;  // of each grid, a multiple of 9
};

// The columns and rows of perPage slots in an area that give the largest grids, each
// with a title line of titleHeight above it, gap apart.
Arrangement Arrange(int width, int height, int perPage, int titleHeight, int gap) {
    Arrangement best = {1, perPage, 0};
    for (int columns = 1; columns <= perPage; ++columns) {
        int rows = (perPage + columns - 1) / columns;
        int slotWidth = (width - (columns - 1) * gap) / columns;
        int slotHeight = (height - (rows - 1) * gap) / rows;
        int side = std::min(slotWidth, slotHeight - titleHeight) / 9 * 9;
        if (side > best.side) best = {columns, rows, side};
    }
    return best;
}

}  // namespace

int PrintLayout::TextHeight(const Paper& paper, int points) { return paper.dotsPerInch * points / 72; }

std::vector<PrintLayout::Page> PrintLayout::Pages(const Paper& paper, int count, int perPage, bool titled,
                                                  int firstIndex) {
    perPage = std::max(perPage, 1);
    int margin = paper.dotsPerInch * kMarginTenthsOfInch / 10;
    // Within the printable area, so far from its sides as the margin asks.
    Box content = {std::max(margin - paper.leftEdge, 0), std::max(margin - paper.topEdge, 0),
                   paper.width - std::max(margin - paper.rightEdge, 0),
                   paper.height - std::max(margin - paper.bottomEdge, 0)};
    int footerHeight = TextHeight(paper, kFooterPoints) * 3 / 2;
    int gap = paper.dotsPerInch / 4;
    int titleHeight = titled ? TextHeight(paper, kTitlePoints) * 3 / 2 : 0;
    int width = content.right - content.left;
    int height = content.bottom - footerHeight - gap - content.top;
    Arrangement arrangement = Arrange(width, height, perPage, titleHeight, gap);
    int slotWidth = (width - (arrangement.columns - 1) * gap) / arrangement.columns;
    int slotHeight = (height - (arrangement.rows - 1) * gap) / arrangement.rows;
    int side = arrangement.side;
    int lineDpi = std::min(paper.dotsPerInch, side / 9 * 96 / kWindowCellAt96);

    std::vector<Page> pages;
    for (int placed = 0; placed < count; ++placed) {
        int slot = placed % perPage;
        if (slot == 0) pages.push_back({{}, {content.left, content.bottom - footerHeight, content.right, content.bottom}});
        // The title and the grid centred in their slot.
        int left = content.left + slot % arrangement.columns * (slotWidth + gap) + (slotWidth - side) / 2;
        int top = content.top + slot / arrangement.columns * (slotHeight + gap) +
                  (slotHeight - titleHeight - side) / 2;
        Box title = {left, top, left + side, top + titleHeight};
        pages.back().grids.push_back({firstIndex + placed, BoardGeometry::At(left, top + titleHeight, side), lineDpi,
                                      title});
    }
    return pages;
}
