// Tests of puzzles in and out as text: every common form, the program's own files, Copy.
#include "puzzle/PuzzleExchange.h"

#include "puzzle/PuzzleLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kSample =
    ".973.5.4." ".....6..." "..298...." "...6....5" ".28.....3"
    "64.7...8." ".....3867" "........." "7.5.....4";
// The puzzle of SudoCue's description of ".sdk".
const std::string kSdk =
    "2..1.5..3" ".54...71." ".1.2.3.8." "6.28.73.4" "........." "1.53.98.6" ".2.7.1.6." ".81...24." "7..4.2..1";

std::string Replaced(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

// The puzzle's nine rows, '.' drawn as empty, each followed by end.
std::string Rows(const std::string& line, char empty, const std::string& end) {
    std::string rows;
    for (int row = 0; row < 9; ++row) rows += Replaced(line.substr(row * 9, 9), '.', empty) + end;
    return rows;
}

// The puzzle in a frame: cells apart by gap, blocks by bar, rows between edges, rule lines
// around and between the bands.
std::string Framed(const std::string& line, const std::string& gap, const std::string& bar,
                   const std::string& edge, const std::string& rule) {
    std::string text = rule + "\r\n";
    for (int row = 0; row < 9; ++row) {
        text += edge;
        for (int column = 0; column < 9; ++column) {
            text += line[row * 9 + column];
            if (column == 2 || column == 5) text += bar;
            else if (column < 8) text += gap;
        }
        text += edge + "\r\n";
        if (row % 3 == 2) text += rule + "\r\n";
    }
    return text;
}

// The program's printed grid of the puzzle, as narrow text.
std::string Printed(const std::string& line) {
    EnneoPuzzle puzzle = ReadPuzzleLine(line);
    std::wstring printed = puzzle.Print();
    return std::string(printed.begin(), printed.end());
}

// The text with a blank after each character.
std::string Spaced(const std::string& text) {
    std::string spaced;
    for (char c : text) spaced += std::string{c, ' '};
    return spaced;
}

std::vector<std::string> PuzzlesOf(const PuzzleExchange& exchange) {
    std::vector<std::string> puzzles;
    for (size_t i = 0; i < exchange.GetCount(); ++i) puzzles.push_back(ToPuzzleLine(exchange.GetPuzzle(i)));
    return puzzles;
}

struct FormCase {
    const char* name;
    std::string text;
    PuzzleExchange::Form form;
    std::vector<std::string> puzzles;
};

TEST(PuzzleExchangeTest, ReadsEachCommonForm) {
    const std::string one = "1" + std::string(80, '.');
    const std::string nine = std::string(80, '.') + "9";
    const auto lines = PuzzleExchange::kLines;
    const auto picture = PuzzleExchange::kPicture;
    const auto none = PuzzleExchange::kNoPuzzle;
    const FormCase cases[] = {
        {"line", kSample, lines, {kSample}},
        {"line with '0'", Replaced(kSample, '.', '0'), lines, {kSample}},
        {"line with '-'", Replaced(kSample, '.', '-') + "\r\n", lines, {kSample}},
        {"line with '*'", Replaced(kSample, '.', '*') + "\n", lines, {kSample}},
        {"line with '_'", Replaced(kSample, '.', '_'), lines, {kSample}},
        {"line with 'x'", Replaced(kSample, '.', 'x'), lines, {kSample}},
        {"line with blanks", Replaced(kSample, '.', ' ') + "  \r\n", lines, {kSample}},
        {"indented line", "  " + kSample, lines, {kSample}},
        {"indented line of blank cells", "  " + Replaced(kSample, '.', ' ') + " # out of place", none, {}},
        {"line and a comment", kSample + " # from a forum\r\n", lines, {kSample}},
        {"line and a rating", kSample + "\t3.4\n", lines, {kSample}},
        {"82 cells", kSample + "1", lines, {kSample}},
        {"80 cells", kSample.substr(0, 80), none, {}},
        {"two kinds of empty cell", "0" + kSample.substr(1), none, {}},
        {"full grid spaced out on one line", Spaced(std::string(81, '5')), none, {}},
        {"line after a UTF-8 mark", "\xEF\xBB\xBF" + kSample, lines, {kSample}},
        {"a clash is read as it stands", "11" + std::string(79, '.'), lines, {"11" + std::string(79, '.')}},
        {"list", "# three puzzles\r\n" + kSample + "\r\n\r\n" + one + " 2.3\r\n" + nine + "\r\n", lines,
         {kSample, one, nine}},
        {"list ruled off", kSample + "\n" + std::string(81, '-') + "\n" + one, lines, {kSample, one}},
        {"Copy's own text", kSample + "\r\n" + Printed(kSample), lines, {kSample}},
        {"nine lines, LF", Rows(kSample, '.', "\n"), picture, {kSample}},
        {"nine lines with '0', CR LF", Rows(kSample, '0', "\r\n"), picture, {kSample}},
        {"printed grid past the file reader's length", std::string(200, '\n') + Printed(kSample), picture, {kSample}},
        {"printed grid, LF", Replaced(Printed(kSample), '\r', '\n'), picture, {kSample}},
        {"Simple Sudoku's print", "Puzzle\r\n" + Framed(kSample, "", "|", "|", "|---+---+---|") + " Simple Sudoku\r\n",
         picture, {kSample}},
        {"frame of '+' and '-'", Framed(kSample, " ", " | ", "| ", "+-------+-------+-------+"), picture, {kSample}},
        {"box drawing in UTF-8", Framed(kSample, " ", " \u2502 ", "\u2502 ", "\u251c\u2500\u2500\u2500\u253c\u2500\u2524"),
         picture, {kSample}},
        {".ss", Framed(kSdk, "", "|", "", "-----------"), picture, {kSdk}},
        {".sdk", "#ARuud\r\n#B03-08-2006\r\n#Uhttp://www.sudocue.net/\r\n" + Rows(kSdk, '.', "\r\n"), picture, {kSdk}},
        {".sdk with sections", "[State]\r\n" + Rows(kSample, '.', "\r\n") + "[Puzzle]\r\n" + Rows(kSdk, '.', "\r\n") +
                                   "[Moves]\r\n" + kSample + "\r\n",
         picture, {kSdk}},
        {"text between rows", Rows(kSample, '.', "\n").insert(30, "row four:\n"), none, {}},
        {"nonsense", "Dear player,\r\nno puzzle here, 12 3.\r\n", none, {}},
        {"nothing", "", none, {}},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.name);
        PuzzleExchange exchange(c.text);
        EXPECT_EQ(c.form, exchange.GetForm());
        EXPECT_EQ(c.puzzles, PuzzlesOf(exchange));
    }
}

// The sample with a digit in its empty row 8: blanks can draw its every row.
const std::string kEveryRow = std::string(kSample).replace(67, 1, "1");

// Nine cells of a row, an empty one drawn as blank, parted by delimiter.
std::string FieldedRow(const std::string& cells, const std::string& blank, const std::string& delimiter) {
    std::string text;
    for (size_t column = 0; column < 9; ++column) {
        text += (cells[column] == '.' ? blank : std::string{cells[column]}) + (column < 8 ? delimiter : "");
    }
    return text;
}

// The puzzle's nine rows so, each row between open and close.
std::string Fielded(const std::string& line, const std::string& blank, const std::string& delimiter,
                    const std::string& open = "", const std::string& close = "\n") {
    std::string text;
    for (size_t row = 0; row < 9; ++row) text += open + FieldedRow(line.substr(row * 9, 9), blank, delimiter) + close;
    return text;
}

// The puzzle drawn with blanks for empty cells at fixed columns: indented by two, cells
// two columns apart and blocks two more, bar between blocks, each line ending at its
// last cell.
std::string Aligned(const std::string& line, const std::string& bar = " ") {
    std::string text;
    for (size_t row = 0; row < 9; ++row) {
        std::string drawn = "  ";
        for (size_t block = 0; block < 3; ++block) {
            drawn += FieldedRow(line.substr(row * 9 + block * 3, 3) + "......", " ", " ").substr(0, 5);
            if (block < 2) drawn += " " + bar + " ";
        }
        text += drawn.substr(0, drawn.find_last_not_of(" |") + 1) + "\r\n";
    }
    return text;
}

// The forms of web pages and spreadsheets, read only when none of the forms above reads
// the text: the same text reads as it did before they were added.
TEST(PuzzleExchangeTest, ReadsRowsOfFieldsAndAlignedGrids) {
    const auto fields = PuzzleExchange::kFields;
    const auto aligned = PuzzleExchange::kAligned;
    const auto none = PuzzleExchange::kNoPuzzle;
    std::string boxed = "+---+---+---+---+---+---+---+---+---+\n";
    for (size_t row = 0; row < 9; ++row) {
        boxed += "|" + FieldedRow(kSample.substr(row * 9, 9), " ", "|") + "|\n" + (row % 3 == 2 ? "+---+---+---+\n" : "");
    }
    std::string ruled = Fielded(kSample, " ", "|", "|", "|\n");
    ruled.insert(20 * 6, "-----\n").insert(20 * 3, "-----\n");
    const std::string tabs = Fielded(kSample, "", "\t", "", "\r\n");
    const std::string commas = Fielded(kSample, "", ",");
    const std::string spaced = Aligned(kEveryRow);
    const FormCase cases[] = {
        {"tabs, as a browser copies a table", tabs, fields, {kSample}},
        {"tabs, blanks in cells", Fielded(kSample, " ", "\t"), fields, {kSample}},
        {"tabs, no-break spaces in cells", Fielded(kSample, "\xC2\xA0", "\t"), fields, {kSample}},
        {"bars", ruled, fields, {kSample}},
        {"bars in a frame of boxes", "A puzzle:\n" + boxed, fields, {kSample}},
        {"commas", commas, fields, {kSample}},
        {"commas and '0'", Fielded(kSample, "0", ","), fields, {kSample}},
        {"commas and '.'", Fielded(kSample, ".", ", "), fields, {kSample}},
        {"middle dots, UTF-8", Fielded(kSample, "\xC2\xB7", " "), aligned, {kSample}},
        {"middle dots, Latin-1", Fielded(kSample, "\xB7", "  "), aligned, {kSample}},
        {"blanks at fixed columns", spaced, aligned, {kEveryRow}},
        {"blanks at fixed columns, bars between blocks", Aligned(kEveryRow, "|"), aligned, {kEveryRow}},
        {"ten fields in a row", "," + commas, none, {}},
        {"eight fields in a row", std::string(tabs).erase(0, 1), none, {}},
        {"a word in a field", "five" + tabs, none, {}},
        {"two digits in a field", "12" + commas, none, {}},
        {"text between rows", std::string(tabs).insert(tabs.find('\n') + 1, "row two\n"), none, {}},
        {"eight rows", commas.substr(0, commas.rfind('\n', commas.size() - 2) + 1), none, {}},
        {"a bar inside a block", std::string(spaced).replace(spaced.find('7') - 1, 1, "|"), none, {}},
        {"a digit off the columns", std::string(spaced).replace(spaced.find("9 7"), 3, "97 "), none, {}},
        {"short lines of numbers", "1 2\n3\n4 5\n6\n7\n8 9\n1\n2\n3\n", none, {}},
        {"a character ending in a middle dot's byte", Fielded(kSample, "\xE2\x95\xB7", " "), none, {}},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.name);
        PuzzleExchange exchange(c.text);
        EXPECT_EQ(c.form, exchange.GetForm());
        EXPECT_EQ(c.puzzles, PuzzlesOf(exchange));
    }

    // Wide text: a middle dot and a no-break space as the clipboard holds them.
    auto widened = [](const std::string& text) {
        std::wstring wide;
        for (char c : text) wide += c == '\xB7' ? L'\u00B7' : c == '\xA0' ? L'\u00A0' : static_cast<wchar_t>(c);
        return wide;
    };
    EXPECT_EQ(std::vector<std::string>{kSample}, PuzzlesOf(PuzzleExchange(widened(Fielded(kSample, "\xB7", " ")))));
    EXPECT_EQ(std::vector<std::string>{kSample}, PuzzlesOf(PuzzleExchange(widened(Fielded(kSample, "\xA0", "\t")))));
}

// Without a gap between blocks, an aligned grid whose first column is empty could begin
// at either of two columns; the gap tells.
TEST(PuzzleExchangeTest, RefusesAnAlignedGridThatReadsTwoWays) {
    std::string emptyFirstColumn = kEveryRow;
    for (size_t row = 0; row < 9; ++row) emptyFirstColumn[row * 9] = '.';
    EXPECT_EQ(PuzzleExchange::kNoPuzzle, PuzzleExchange(Fielded(emptyFirstColumn, " ", " ")).GetForm());
    EXPECT_EQ(std::vector<std::string>{kEveryRow}, PuzzlesOf(PuzzleExchange(Fielded(kEveryRow, " ", " "))));
    EXPECT_EQ(std::vector<std::string>{emptyFirstColumn}, PuzzlesOf(PuzzleExchange(Aligned(emptyFirstColumn))));
}

// Files the program's own reader was made for give exactly that reader's grid.
TEST(PuzzleExchangeTest, ReadsTheProgramsOwnFilesAsItsFileReaderDoes) {
    const std::string printed = Printed(kSample);
    const std::string saved = printed + std::string(9, '\0');
    auto edited = [&printed](size_t at, const std::string& inserted) { return std::string(printed).insert(at, inserted); };
    const std::string files[] = {
        saved,
        EnneoPuzzle::kSampleText,
        edited(3, "a0"),                 // a letter and a '0' in row 1, both ignored
        edited(24, "\n"),                // a bare LF after row 1
        edited(46, " 5 5"),              // surplus cells in row 2
        "Puzzle 7\r\n" + printed,        // a line before the grid, read into row 1
        saved + kSample + "\r\n",        // bytes past the reader's length
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        EnneoPuzzle expected;
        expected.LoadFromBytes(file.data(), file.size());
        PuzzleExchange exchange(file);
        EXPECT_EQ(PuzzleExchange::kOwnFile, exchange.GetForm());
        EXPECT_EQ(std::vector<std::string>{ToPuzzleLine(expected)}, PuzzlesOf(exchange));
    }
}

TEST(PuzzleExchangeTest, ReadsNoFurtherThanItsBound) {
    std::string list = kSample + "\n" + kSample + "\n" + kSample + "\n";
    EXPECT_EQ(3u, PuzzleExchange(list).GetCount());
    EXPECT_EQ(2u, PuzzleExchange(list, 82 * 2 + 80).GetCount());
}

TEST(PuzzleExchangeTest, ReadsWideTextAndUtf16Files) {
    std::string utf16 = "\xFF\xFE";
    for (char c : kSample + "\r\n") utf16 += std::string{c, '\0'};
    EXPECT_EQ(std::vector<std::string>{kSample}, PuzzlesOf(PuzzleExchange(utf16)));

    std::wstring pasted = L"\u250c\u2500\u2510\r\n";
    for (int row = 0; row < 9; ++row) {
        std::string cells = kSample.substr(row * 9, 9);
        pasted += L"\u2502" + std::wstring(cells.begin(), cells.end()) + L"\u2502\r\n";
    }
    EXPECT_EQ(std::vector<std::string>{kSample}, PuzzlesOf(PuzzleExchange(pasted)));
}

TEST(PuzzleExchangeTest, CopiesTheGivensOrTheWholeBoardAndReadsThemBack) {
    EnneoPuzzle board = ReadPuzzleLine(kSample);
    board.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);
    const std::string whole = "8" + kSample.substr(1);
    std::wstring printed = ReadPuzzleLine(kSample).Print();
    EXPECT_EQ(std::wstring(kSample.begin(), kSample.end()) + L"\r\n" + printed,
              PuzzleExchange::CopyText(board, PuzzleExchange::kGivens));
    EXPECT_EQ(std::vector<std::string>{whole},
              PuzzlesOf(PuzzleExchange(PuzzleExchange::CopyText(board, PuzzleExchange::kAllDigits))));
}

}  // namespace
