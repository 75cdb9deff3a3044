// PrintLayout: where the grids, their titles and the footer go on printed pages.
#pragma once

#include "board/BoardGeometry.h"

#include <vector>

// Lays grids out on sheets of paper, in the printer's dots (square: the printer code
// makes them so), measured from the corner of the area the printer can print on. Each
// page keeps a margin from the paper's edges (the printer's own where that is wider), a
// footer line at its bottom, and a number of grids per page
// arranged in the columns and rows that give the largest grids; a page of fewer grids
// (the last) keeps their size and places.
class PrintLayout {
public:
    // The margin around everything printed: 0.6 inch, about 15 mm.
    static constexpr int kMarginTenthsOfInch = 6;
    // Text heights, in points (1/72 inch): the title above each grid and the footer.
    static constexpr int kTitlePoints = 12;
    static constexpr int kFooterPoints = 9;

    struct Paper {
        int dotsPerInch;
        // The area the printer can print on.
        int width;
        int height;
        // The paper around it, which the printer cannot print on.
        int leftEdge;
        int topEdge;
        int rightEdge;
        int bottomEdge;
    };

    struct Box {
        int left;
        int top;
        int right;
        int bottom;
    };

    struct Grid {
        int index;  // the grid's number on the job's pages, from 0
        BoardGeometry board;
        // The DPI that the board painter's widths (stated at 96 DPI for a cell of about
        // 40 pixels) are drawn at: the printer's, or less for small grids, so that
        // their lines keep the window's proportions.
        int lineDpi;
        Box title;  // a line of text above the grid; empty for a page without titles
    };

    struct Page {
        std::vector<Grid> grids;
        Box footer;  // a line of text at the page's bottom, centred
    };

    // count grids from firstIndex on, perPage on each page (at least 1). titled: a title
    // line above each grid.
    static std::vector<Page> Pages(const Paper& paper, int count, int perPage, bool titled, int firstIndex = 0);
    // The height of a line of text of the given size in points, in dots.
    static int TextHeight(const Paper& paper, int points);
};
