// PuzzleExchange: puzzles in and out as text, the way players exchange them.
#pragma once

#include "EnneoPuzzle.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Finds the puzzles in a text from the clipboard, a file or a drop, by one rule for all
// three, and writes the text that Copy puts on the clipboard. The rule, first match:
//
//   1. The program's own file: within the first EnneoPuzzle::kFileLength bytes (all
//      that its reader looks at) a line is the printed grid's separator line with its
//      CR LF, and no line of 81 cells comes before it. EnneoPuzzle's reader reads it,
//      quirks and all: letters and '0' ignored, a bare LF ignored, surplus cells
//      dropped, bytes past its length unread. Every file that Save writes, and every
//      such file edited by hand that keeps a separator line, is one; nothing of the
//      common forms below is, except a picture drawn exactly as the program prints.
//   2. Lines of 81 cells: each line whose first 81 characters are cells, a digit '1'-'9'
//      or an empty cell, is a puzzle; one such line is a puzzle, several a list (".sdm",
//      collections kept as ".txt"). One character stands for every empty cell of a
//      line: '.', '0', '-', '*', '_', 'x', 'X' or a blank, a blank only when nothing
//      but blanks follows the cells; anything else after the 81 cells is a comment.
//      Leading blanks are skipped when the line does not read with them.
//   3. A picture: the first nine rows of nine cells, with only blank lines and frame
//      lines between them. A row holds digits, empty cells ('.', '0', '_', 'x', 'X')
//      and frame characters ('|', '+', '-', '*', '=', blanks, tabs, box drawing); a
//      line with any other character is text, skipped before the picture, and breaks a
//      picture begun above it. This reads nine-line pictures with LF or CR LF line ends,
//      in a frame or not, Simple Sudoku's ".ss" and SadMan's ".sdk".
//   4. Rows of fields: the first nine rows of nine fields, each a digit or empty
//      (nothing, blanks, '.', '0' or a middle dot), with only blank lines and frame
//      lines between them. Fields are parted by tabs (a table as a browser copies it
//      as text), by '|' ("|5|3| | |7| | | | |", the bars at its edges holding no
//      field) or by commas ("5,3,,,7,,,,").
//   5. An aligned grid: the first nine rows of cells at fixed columns, drawn with
//      digits and a blank, '.', '0' or a middle dot for an empty cell (a middle dot
//      between blanks, or blanks where the empty cells are), '|' between blocks and frame lines
//      between rows. The columns are found from the rows; a grid that reads two ways,
//      or holds fewer than 17 digits, is not read.
//   Otherwise the text holds no puzzle. Rules 2 to 5 read a text with a "[Puzzle]"
//   line (".sdk") from there to the next line that begins with '[', and see its other
//   lines, such as the '#' lines of a ".sdk", as text. A line ends at LF, CR LF or CR.
//
// Only ASCII characters mean anything to rules 1 to 3: every byte from 0x80 up (box
// drawing in UTF-8 or an OEM code page, a no-break space) and the zero byte count as a
// frame. Rules 4 and 5 also know a no-break space and a middle dot, in UTF-8 or as one
// Latin-1 byte. A file that
// begins with a UTF-16 byte-order mark is read as UTF-16, and a UTF-8 mark is skipped.
// Reading takes time and memory in proportion to the text, which is bounded.
class PuzzleExchange {
public:
    // The most that is read: bytes of a file, or characters of wide text. A list of
    // about 50,000 puzzles; whatever follows is ignored.
    static constexpr size_t kMaxBytes = 4 << 20;

    enum Form {
        kNoPuzzle,
        kOwnFile,  // rule 1: read by EnneoPuzzle's own reader
        kLines,    // rule 2: one puzzle, or a list when GetCount() is above 1
        kPicture,  // rule 3
        kFields,   // rule 4
        kAligned,  // rule 5
    };
    enum Digits { kGivens, kAllDigits };

    // Reads at most maxBytes of bytes, which may be any bytes at all.
    explicit PuzzleExchange(std::string_view bytes, size_t maxBytes = kMaxBytes);
    // Reads at most kMaxBytes characters of wide text, as the clipboard holds it.
    explicit PuzzleExchange(std::wstring_view text);

    // Reads the first kMaxBytes bytes of the file at path; none when it cannot be opened
    // or read (a folder, a device or a pipe, a file that has gone, one that another
    // program locks).
    static std::optional<PuzzleExchange> FromFile(const std::filesystem::path& path);

    Form GetForm() const { return form_; }
    size_t GetCount() const { return cells_.size() / 81; }
    // Puzzle index, below GetCount(): its digits are givens, as the file reader leaves
    // them, unchecked (see PuzzleCheck), and every other cell is empty.
    EnneoPuzzle GetPuzzle(size_t index) const;

    // The text Copy puts on the clipboard: the board's givens, or all its digits, as
    // a line of 81 characters with '.' for an empty cell, CR LF, then the printed grid
    // (EnneoPuzzle::Print). It reads back as the same digits, by rule 2.
    static std::wstring CopyText(const EnneoPuzzle& board, Digits digits);

private:
    void Read(std::string_view text);

    Form form_ = kNoPuzzle;
    std::string cells_;  // 81 characters a puzzle, '1'-'9' or '.'
};
