// Tests of the words layer: each kind of sentence once, word for word, and the cells' names.
#include "words/Words.h"

#include "languages/Language.h"

#include "tests/puzzle/PuzzleTestGrids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using M = Message;
using V = Message::Value;

std::wstring Said(const Message& message) { return Words::Say(message).GetText(); }

// One message of each family, with each kind of value, the plural forms, the places of
// values used twice, and sentences that follow on the same line, the next, or after an
// empty one.
TEST(WordsTest, EachKindOfSentence) {
    EXPECT_EQ(L"", Said(Message()));
    EXPECT_EQ(L"Enneo Tessary - 0:07", Said(M(M::kTitleWithTime, {V::Time(7)})));
    EXPECT_EQ(L"Enneo Tessary - 10080:00", Said(M(M::kTitleWithTime, {V::Time(7 * 24 * 3600)})));  // a week
    EXPECT_EQ(L"Enneo Tessary - 0:07 - Pencil", Said(M(M::kTitleWithTimePencil, {V::Time(7)})));
    EXPECT_EQ(L"Paste Puzzle", Said(M::kCaptionPaste));
    EXPECT_EQ(L"5 not allowed here: the block holds a 5 in row 2, column 3",
              Said(M(M::kClashInBlock, {V::Number(5), V::Number(2), V::Number(3)})));
    EXPECT_EQ(L"This puzzle breaks the rules: the centre block holds three 5s.",
              Said(M(M::kPuzzleClash, {V::Unit({GridUnit::kBlock, 4}), V::CountWord(3), V::Number(5)})));
    EXPECT_EQ(L"This puzzle breaks the rules: column 1 holds two 5s.",
              Said(M(M::kPuzzleClash, {V::Unit({GridUnit::kColumn, 0}), V::CountWord(2), V::Number(5)})));
    EXPECT_EQ(L"No puzzle was found in the file \"letter.txt\". Enneo Tessary reads a puzzle as a line of 81 cells "
              L"('1' to '9' for a digit, '.' or '0' for an empty cell), as a list of such lines, or as nine lines of "
              L"nine cells.",
              Said(M(M::kNoPuzzleInFile, {V::Text(L"letter.txt")}).Then(M::kPuzzleForms)));
    EXPECT_EQ(L"No cell has a single digit left, and no digit has a single place in a block, a row or a column, so "
              L"the next step is a trial in row 1, column 1: of its candidates 2, 5 and 6, tried in turn, only 5 "
              L"leads to a solution.",
              Said(M(M::kHintTrial, {V::Number(1), V::Number(1), V::Digits(0x32), V::Number(5)})));
    EXPECT_EQ(L"3 goes in row 5, column 3: it is the only place for 3 in column 3.",
              Said(M(M::kHintSingleInColumn, {V::Number(3), V::Number(5), V::Number(3)})));
    EXPECT_EQ(L"Look at the top middle block: the technique to use is Pointing.",
              Said(M(M::kHintLookInUnit, {V::Unit({GridUnit::kBlock, 1}), V::Technique(Technique::kPointing)})));
    // Candidates (cell * 16 + digit) by cell, and by digit in ascending order.
    EXPECT_EQ(L"Naked Pair in row 3, on row 3, column 1 (2 and 7) and row 3, column 5 (2 and 7): remove 2 from row 3, "
              L"column 2 and row 3, column 8; 7 from row 3, column 2.",
              Said(M(M::kHintStepRemovesInUnit,
                     {V::Technique(Technique::kNakedPair), V::Unit({GridUnit::kRow, 2}),
                      V::CandidatesByCell({18 * 16 + 2, 18 * 16 + 7, 22 * 16 + 2, 22 * 16 + 7}),
                      V::CandidatesByDigit({19 * 16 + 7, 19 * 16 + 2, 25 * 16 + 2})})));
    EXPECT_EQ(L"Every digit so far fits the puzzle's only solution.\n1 cell is left. Level: Expert (5.6).",
              Said(M(M::kCheckFits)
                       .Then(M(M::kCellsLeft, {V::Number(1)}), M::kLine)
                       .Then(M(M::kCheckLevel, {V::Level(PuzzleLevel::kExpert), V::Rating(5.6)}))));
    // The rating with one decimal, rounded as the level is (LevelOf).
    EXPECT_EQ(L"Level: Easy (1.0).", Said(M(M::kCheckLevel, {V::Level(PuzzleLevel::kEasy), V::Rating(1.0)})));
    EXPECT_EQ(L"Level: Extreme (9.0).", Said(M(M::kCheckLevel, {V::Level(PuzzleLevel::kExtreme), V::Rating(8.96)})));
    EXPECT_EQ(L"Level: Hard (4.4).", Said(M(M::kCheckLevel, {V::Level(PuzzleLevel::kHard), V::Rating(4.44)})));
    EXPECT_EQ(L"56 cells are left.", Said(M(M::kCellsLeft, {V::Number(56)})));
    EXPECT_EQ(L"2 digits that are not givens do not fit the puzzle's only solution.",
              Said(M(M::kCheckMisfits, {V::Number(2)})));
    EXPECT_EQ(L"Easy: 1 game finished, best time 1:05, average time 1:05.\nHard: no game finished yet.\n"
              L"Expert: no game finished yet.\nExtreme: no game finished yet.\n\n"
              L"A game counts when the player completes a puzzle that has one solution without Solve, Hint, Fill In "
              L"Candidates or Undo to Last Correct.",
              Said(M(M::kStatisticsLevel, {V::Level(PuzzleLevel::kEasy), V::Number(1), V::Time(65), V::Time(65)})
                       .Then(M(M::kStatisticsNoGame, {V::Level(PuzzleLevel::kHard)}), M::kLine)
                       .Then(M(M::kStatisticsNoGame, {V::Level(PuzzleLevel::kExpert)}), M::kLine)
                       .Then(M(M::kStatisticsNoGame, {V::Level(PuzzleLevel::kExtreme)}), M::kLine)
                       .Then(M::kStatisticsRule, M::kParagraph)));
    EXPECT_EQ(L"Solved in 4:12. A new best time for Medium!",
              Said(M(M::kSolvedIn, {V::Time(252)}).Then(M(M::kNewBestTime, {V::Level(PuzzleLevel::kMedium)}))));
    EXPECT_EQ(L"The game file was missing or damaged, so the game was taken from its backup, which may be a moment "
              L"older. The file was kept as \"C:\\game.enneo-game.refused\".",
              Said(M(M::kGameFromBackup).Then(M(M::kGameSetAside, {V::Text(L"C:\\game.enneo-game.refused")}))));
    EXPECT_EQ(L"The game could not be kept: the folder \"C:\\Enneo Tessary\" could not be made.\n\nPlay goes on, and "
              L"the game is written again with the next change, without another word.",
              Said(M(M::kNotKeptNoFolder, {V::Text(L"C:\\Enneo Tessary")}).Then(M::kPlayGoesOn, M::kParagraph)));
    EXPECT_EQ(L"Enneo Tessary - Hard - 9 December 2026 - page 2 of 3",
              Said(M(M::kPrintFooterLevel,
                     {V::Text(L"Enneo Tessary"), V::Level(PuzzleLevel::kHard), V::Text(L"9 December 2026")})
                       .Then(M(M::kPrintPageOf, {V::Number(2), V::Number(3)}))));
    EXPECT_EQ(L"Solution 7 - Hard",
              Said(M(M::kPrintSolutionTitle, {V::Number(7), V::Level(PuzzleLevel::kHard)})));
    EXPECT_EQ(L"Next Puzzle in &File (now 2 of 3)",
              Said(M(M::kListPlace, {V::Text(L"Next Puzzle in &File"), V::Number(2), V::Number(3)})));
}

// The file dialogs' list of types, as they take it: each name and its patterns ended by
// a zero.
TEST(WordsTest, FileTypesAsTheDialogsTakeThem) {
    std::wstring filter = Words::FileFilter(FileFormats::OpenTypes());
    std::replace(filter.begin(), filter.end(), L'\0', L'|');
    EXPECT_EQ(L"EnneoFiles|*.txt;*.enn|Enneo game|*.enneo-game|SadMan puzzle|*.sdk|Simple Sudoku puzzle|*.ss|Puzzle "
              L"list|*.sdm;*.txt|All puzzle files|*.enn;*.txt;*.sdk;*.ss;*.sdm;*.enneo-game|All files|*.*|",
              filter);
}

std::wstring Name(const GameState& state, const BoardView& view, int x, int y) {
    return Words::CellName(state, view, {x, y}).GetText();
}

// On the sample: a given, an empty cell with its candidates, the player's digit, marks
// in place of candidates, hints off, a misfit, the hinted cell, the pause, and a cell
// with no candidate left.
TEST(WordsTest, CellNamesSayWhatTheBoardShows) {
    GameState state{ReadPuzzleLine(kSampleLine), PencilMarks()};
    BoardView view;
    EXPECT_EQ(L"Row 1, column 2, 9, given", Name(state, view, 2, 1));
    EXPECT_EQ(L"Row 1, column 1, empty, candidates 1 8", Name(state, view, 1, 1));
    state.marks.Toggle(1, 2, 5);
    state.marks.Toggle(1, 2, 2);
    EXPECT_EQ(L"Row 2, column 1, empty, marks 2 5", Name(state, view, 1, 2));
    state.puzzle.SetCell(1, 1, 8, EnneoPuzzle::CELL_SET);
    EXPECT_EQ(L"Row 1, column 1, 8", Name(state, view, 1, 1));
    view.misfits = {{1, 1}};
    EXPECT_EQ(L"Row 1, column 1, 8, does not fit", Name(state, view, 1, 1));
    view.showHints = false;
    view.hinted = {{5, 1}};
    EXPECT_EQ(L"Row 1, column 5, empty, hinted", Name(state, view, 5, 1));
    view.paused = true;
    EXPECT_EQ(L"Row 1, column 2, hidden by the pause", Name(state, view, 2, 1));
    view.paused = false;
    EXPECT_EQ(L"Row 2, column 1, empty, marks 2 5", Name(state, view, 1, 2));

    GameState stuck{ReadPuzzleLine(".12345678"
                                   "9" +
                                   std::string(71, '.')),
                    PencilMarks()};
    EXPECT_EQ(L"Row 1, column 1, empty, no candidates", Name(stuck, BoardView(), 1, 1));
}

// Another language's sentences: its words, its plural forms by its own rule (Russian has
// three), its decimal separator and the values where its text puts them.
TEST(WordsTest, SpeaksTheChosenLanguage) {
    Language::Choose(Language::Find(L"ru"));
    EXPECT_EQ(L"Осталась 21 клетка. Уровень: Экспертный (5,6).",
              Said(M(M::kCellsLeft, {V::Number(21)}).Then(M(M::kCheckLevel, {V::Level(PuzzleLevel::kExpert), V::Rating(5.6)}))));
    EXPECT_EQ(L"Осталось 2 клетки.", Said(M(M::kCellsLeft, {V::Number(2)})));
    EXPECT_EQ(L"Осталось 11 клеток.", Said(M(M::kCellsLeft, {V::Number(11)})));
    Language::Choose(Language::Find(L"de"));
    GameState state{ReadPuzzleLine(kSampleLine), PencilMarks()};
    EXPECT_EQ(L"Zeile 1, Spalte 2, 9, vorgegeben", Name(state, BoardView(), 2, 1));
    Language::Choose(Language::kEnglish);
}

}  // namespace
