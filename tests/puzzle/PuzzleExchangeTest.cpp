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
