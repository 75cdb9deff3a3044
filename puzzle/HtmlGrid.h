// HtmlGrid: a puzzle's grid in the HTML that a browser puts on the clipboard.
#pragma once

#include "Message.h"

#include <cstddef>
#include <string>
#include <string_view>

// Reads the clipboard's "HTML Format" (a header of byte offsets, then UTF-8 HTML) and
// finds the first table that is a puzzle's grid, in document order: nine rows of nine
// cells, or three rows of three cells that each hold one table of three rows of three
// cells (the blocks). A cell holds a digit, or nothing but blanks, '.', '0' or a middle
// dot, once its tags are dropped (an input field's value kept, a picture counted as
// something else) and its entities read. Only the tables tell where a
// cell stands; a table of any other shape, or with any other cell, is no grid, and the
// refusal names what was wrong with the first such table. The HTML is untrusted: it is
// read once, in time and memory in proportion to it, and a document of more than
// kMostCells cells or tables nested deeper than kDeepestTables is refused as a whole.
class HtmlGrid {
public:
    static const size_t kMostCells = 10000;
    static const size_t kDeepestTables = 8;

    // At most PuzzleExchange::kMaxBytes of html are read.
    explicit HtmlGrid(std::string_view html);

    // The grid's 81 cells in reading order, '1'-'9' or '.'; empty when no table is one.
    const std::string& GetCells() const { return cells_; }
    // Why the HTML holds no grid though it holds a table: kTableNotGrid (the first
    // table's rows and cells), kTableCellNotDigit (row, column and text of the first
    // cell of a grid-shaped table that is neither a digit nor empty) or kTableTooLarge;
    // empty when a grid was found or the HTML holds no table at all.
    const Message& GetRefusal() const { return refusal_; }

private:
    std::string cells_;
    Message refusal_;
};
