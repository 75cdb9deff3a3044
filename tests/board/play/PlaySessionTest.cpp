// Tests of the play session: Hint, Check, Undo to Last Correct and the best times, as data.
#include "board/play/PlaySession.h"

#include "tests/board/AnswerChecks.h"
#include "tests/board/MemoryProperties.h"
#include "tests/puzzle/CoachGrids.h"
#include "tests/puzzle/PuzzleTestGrids.h"
#include "puzzle/PuzzleLine.h"
#include "puzzle/PuzzleRating.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Command = BoardCommand;
using M = Message;
using V = Message::Value;

class PlaySessionTest : public ::testing::Test {
protected:
    // A command as the controller runs it, settled after it.
    static BoardAnswer Run(PlaySession& session, const BoardCommand& command) {
        return session.Settle(session.Run(command, false), false);
    }
    BoardAnswer Run(const BoardCommand& command) { return Run(session_, command); }
    const EnneoPuzzle& Board() const { return session_.GetBoard(); }
    std::pair<int, int> Selected() const {
        EnneoPuzzle::Cell cell = Board().GetSelectedCell();
        return {cell.x, cell.y};
    }
    BoardAnswer Type(int x, int y, int digit) {
        Run(Command::SelectCell({x, y}));
        return Run(Command::Digit(digit));
    }
    // A session on the same properties and clock as session_.
    PlaySession Another(const std::string& line) {
        return PlaySession(ReadPuzzleLine(line), properties_, [this] { return now_; });
    }
    std::vector<std::pair<int, int>> Misfits() const {
        std::vector<std::pair<int, int>> cells;
        for (EnneoPuzzle::Cell cell : session_.GetFindings().misfits) cells.emplace_back(cell.x, cell.y);
        return cells;
    }
    static std::vector<std::pair<int, int>> Hinted(const PlaySession& session) {
        std::vector<std::pair<int, int>> cells;
        for (EnneoPuzzle::Cell cell : session.GetFindings().hinted) cells.emplace_back(cell.x, cell.y);
        return cells;
    }
    std::vector<std::pair<int, int>> Hinted() const { return Hinted(session_); }

    MemoryProperties properties_;
    uint64_t now_ = 0;  // the clock's time source, in milliseconds
    PlaySession session_ = Another(kSampleLine);
};

// A step's candidates as the words layer lists them.
int Candidate(int x, int y, int digit) { return ((y - 1) * 9 + x - 1) * 16 + digit; }

// Hint in stages on one board: where to look, its pattern tinted; the whole step, the
// cells it changes tinted; then the step made as one step that Undo takes back, a cell
// without marks first getting its candidates as marks. The first step here is a pointing
// 7 in the top middle block, which leaves row 8, column 5.
TEST_F(PlaySessionTest, HintGoesInStagesAndMakesTheStep) {
    PlaySession board = Another(kStepGrids[4].givens);
    auto hint = [&] { return Run(board, Command::Of(Command::kHint)); };
    V pointing = V::Technique(Technique::kPointing), block = V::Unit({GridUnit::kBlock, 1});
    EXPECT_EQ(std::make_pair(Message(M::kCaptionHint), M(M::kHintLookInUnit, {block, pointing})), Box(hint()));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{5, 1}, {5, 2}}), Hinted(board));
    EXPECT_EQ(5, board.GetBoard().GetSelectedCell().x);

    Message whole(M::kHintStepRemovesInUnit, {pointing, block, V::CandidatesByCell({Candidate(5, 1, 7), Candidate(5, 2, 7)}),
                                              V::CandidatesByDigit({Candidate(5, 8, 7)})});
    EXPECT_EQ(whole, Box(hint()).second);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{5, 8}}), Hinted(board));
    EXPECT_EQ(kStepGrids[4].givens, ToPuzzleLine(board.GetBoard()));

    int candidates = board.GetBoard().GetCandidatesMask(5, 8);
    BoardAnswer made = hint();
    EXPECT_EQ(BoardAnswer::kNoBox, made.box);
    EXPECT_EQ(Message(M::kHintStepMade), made.reader.announcement);
    EXPECT_EQ(candidates & ~(1 << 6), board.GetGame().GetState().marks.Get(5, 8));
    EXPECT_EQ(0, board.GetGame().GetState().marks.Get(5, 1));
    EXPECT_TRUE(Hinted(board).empty());
    Run(board, Command::Of(Command::kUndo));
    EXPECT_EQ(0, board.GetGame().GetState().marks.Get(5, 8));

    // Any change of the board starts again; a placing step is told in the words of its single.
    EXPECT_EQ(M::kHintLookInUnit, Box(hint()).second.id);
    Run(board, Command::Of(Command::kRedo));
    EXPECT_EQ(M::kHintLookInUnit, Box(hint()).second.id);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{6, 1}, {6, 2}}), Hinted(board));  // the next pointing
    PlaySession single = Another(kStepGrids[0].givens);
    Run(single, Command::Of(Command::kHint));
    EXPECT_EQ(Message(M::kHintSingleInBlock, {V::Number(7), V::Number(1), V::Number(5)}),
              Box(Run(single, Command::Of(Command::kHint))).second);
    Run(single, Command::Of(Command::kHint));
    EXPECT_EQ(7, single.GetBoard().GetCell(5, 1));
}

// Mistakes come first: a digit that does not fit the only solution, then a cell whose
// marks leave out the solution's digit, each tinted and selected until the board
// changes; and the verdicts. Hint places nothing then.
TEST_F(PlaySessionTest, HintNamesMistakesFirst) {
    Run(Command::SelectCell({1, 1}));
    session_.Run(Command::Digit(2), true);  // a mark; 8 is the solution's digit there
    EXPECT_EQ(Message(M::kHintMissingMark, {V::Number(1), V::Number(1)}), Box(Run(Command::Of(Command::kHint))).second);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 1}}), Hinted());
    auto hint = [this] { return Box(Run(Command::Of(Command::kHint))).second; };
    Type(1, 3, 1);  // the solution has 4 there
    Type(9, 2, 9);  // and 8 here
    Type(1, 1, 8);  // right
    EXPECT_EQ(Message(M::kHintMisfit, {V::Number(9), V::Number(2), V::Number(9)}), hint());
    EXPECT_EQ(std::make_pair(9, 2), Selected());
    EXPECT_EQ((std::vector<std::pair<int, int>>{{9, 2}}), Misfits());  // a mistake is tinted as one
    EXPECT_TRUE(Hinted().empty());
    Run(Command::Move(0, 1));
    EXPECT_EQ(1u, Misfits().size());  // the board did not change
    Run(Command::Of(Command::kReset));
    EXPECT_TRUE(Misfits().empty());
    hint();
    EXPECT_FALSE(Hinted().empty());
    Type(1, 1, 8);
    EXPECT_TRUE(Hinted().empty());
    Run(Command::Of(Command::kSolve));
    EXPECT_EQ(Message(M::kSolved), hint());

    session_.Install(EnneoPuzzle());
    Type(5, 5, 1);
    EXPECT_EQ(Message(M::kHintSeveralSolutions), hint());
    EXPECT_EQ(std::make_pair(5, 5), Selected());  // kept
    PlaySession repeated = Another("12345678.........9" + std::string(63, '.'));
    EXPECT_EQ(Message(M::kNoSolution), Box(Run(repeated, Command::Of(Command::kHint))).second);
    EXPECT_EQ(0, repeated.GetBoard().GetSelectedCell().x);

    // Givens with two solutions, and a 7 that fits neither.
    PlaySession two = Another("89.31.2.6.51.26..84.2...3.117..38......1.....6.37521.9.1..938......74.1...5..1.3.");
    Run(two, Command::SelectCell({6, 1}));
    Run(two, Command::Digit(7));
    for (Command::Kind kind : {Command::kHint, Command::kCheck}) {
        EXPECT_EQ(Message(M::kNoSolutionFits), Box(Run(two, Command::Of(kind))).second);
    }
}

// Check's answers, and the digits that do not fit, tinted whatever Mark Selection says
// until the board changes. The level and the rating are the givens' alone.
TEST_F(PlaySessionTest, CheckSaysWhetherTheDigitsFit) {
    auto check = [this] { return Box(Run(Command::Of(Command::kCheck))).second; };
    auto fits = [](int left, std::optional<double> rating) {
        Message message(M::kCheckFits);
        message.Then(M(M::kCellsLeft, {V::Number(left)}), M::kLine);
        if (rating) message.Then(M(M::kCheckLevel, {V::Level(LevelOf(*rating)), V::Rating(*rating)}));
        return message;
    };
    const double sampleRating = 1.5;  // a hidden single in a row at its hardest: medium
    EXPECT_EQ(fits(56, sampleRating), check());
    Type(1, 1, 8);
    Type(9, 2, 9);
    EXPECT_EQ(Message(M::kCheckMisfits, {V::Number(1)}), check());
    Type(1, 3, 1);
    BoardAnswer answer = Run(Command::Of(Command::kCheck));
    EXPECT_EQ(Message(M::kCheckMisfits, {V::Number(2)}), Box(answer).second);
    EXPECT_TRUE(answer.repaint);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{9, 2}, {1, 3}}), Misfits());
    Run(Command::Move(1, 1));
    EXPECT_EQ(2u, Misfits().size());
    Run(Command::Of(Command::kUndo));
    EXPECT_TRUE(Misfits().empty());
    // The solver's digits after a mistake are set digits too, and counted as such.
    Run(Command::Of(Command::kSolve));
    EXPECT_EQ(Message(M::kCheckMisfits, {V::Number(23)}), check());

    Run(Command::Of(Command::kReset));
    Run(Command::Of(Command::kSolve));
    Type(1, 1, 0);  // one cell from the end
    EXPECT_EQ(fits(1, sampleRating), check());
    Run(Command::Of(Command::kUndo));
    EXPECT_EQ(Message(M::kSolved), check());
    PlaySession hard = Another(kStepGrids[2].givens);
    EXPECT_EQ(fits(55, PuzzleRating(ReadPuzzleLine(kStepGrids[2].givens)).GetRating()),
              Box(Run(hard, Command::Of(Command::kCheck))).second);

    // Typed into an empty grid, the puzzle has no givens to grade, however far it got.
    session_.Install(EnneoPuzzle());
    for (int i = 0; i < 81; ++i) {
        if (kSampleLine[i] != '.' || i < 20) Type(i % 9 + 1, i / 9 + 1, kSolvedSample[i] - '0');
    }
    EXPECT_EQ(fits(42, std::nullopt), check());
}

// Back to the last board without a mistake in one command, which Redo walks forward
// step by step; greyed without a mistake or without one solution.
TEST_F(PlaySessionTest, UndoToLastCorrect) {
    EXPECT_FALSE(session_.IsAvailable(Command::kUndoToCorrect));
    Type(1, 1, 8);
    EXPECT_FALSE(session_.IsAvailable(Command::kUndoToCorrect));
    Type(1, 3, 1);  // wrong
    Type(9, 2, 8);
    Run(Command::Mark(5));
    EXPECT_TRUE(session_.IsAvailable(Command::kUndoToCorrect));
    BoardAnswer undone = Run(Command::Of(Command::kUndoToCorrect));
    EXPECT_TRUE(undone.repaint && undone.menu);
    EXPECT_EQ(Message(M::kUndoneToCorrect), undone.reader.announcement);
    std::string line = ToPuzzleLine(Board());
    EXPECT_EQ("8973.5.4.", line.substr(0, 9));
    EXPECT_EQ('.', line[18]);
    EXPECT_FALSE(session_.IsAvailable(Command::kUndoToCorrect));
    for (int redo = 0; redo < 3; ++redo) Run(Command::Of(Command::kRedo));
    EXPECT_EQ(1, Board().GetCell(1, 3));
    EXPECT_EQ(8, Board().GetCell(9, 2));
    EXPECT_FALSE(session_.IsAvailable(Command::kRedo));

    session_.Install(EnneoPuzzle());
    Type(1, 1, 1);
    Type(2, 1, 1);  // refused
    Type(2, 1, 2);
    EXPECT_FALSE(session_.IsAvailable(Command::kUndoToCorrect));  // no givens, no one solution
}

// A board the player completes is told solved, with its time, once per game; one that
// Solve completed is not. A puzzle with one solution that the player completes without
// help counts for its level once, and a new best time is told in the same box; Solve,
// Hint, Fill In Candidates, undo into a puzzle whose game is not known and a puzzle
// without givens do not count.
TEST_F(PlaySessionTest, BestTimesOnlyForAnUnassistedFinish) {
    // The sample's solution with one cell left for the player: an Easy puzzle.
    auto nearlySolved = [](int cell) {
        std::string line = kSolvedSample;
        line[cell] = '.';
        return line;
    };
    auto finish = [this](PlaySession& board, int cell, uint64_t milliseconds) {
        Run(board, Command::Window(Command::kWindowActive, true));
        now_ += milliseconds;
        Run(board, Command::SelectCell({cell % 9 + 1, cell / 9 + 1}));
        return Run(board, Command::Digit(kSolvedSample[cell] - '0'));
    };
    auto solvedIn = [](uint64_t seconds) { return Message(M::kSolvedIn, {V::Time(seconds)}); };
    const wchar_t key[] = L"Statistics\\Easy";
    PlaySession first = Another(nearlySolved(0));
    BoardAnswer best = finish(first, 0, 65900);
    EXPECT_EQ(std::make_pair(Message(M::kCaptionSolved),
                             solvedIn(65).Then(M(M::kNewBestTime, {V::Level(PuzzleLevel::kEasy)}))),
              Box(best));
    EXPECT_EQ(best.sentence, best.reader.announcement);
    EXPECT_EQ(L"1 65 65", properties_.values[key]);
    Run(first, Command::Of(Command::kUndo));
    EXPECT_EQ(BoardAnswer::kNoBox, Run(first, Command::Of(Command::kRedo)).box);  // counted once
    EXPECT_EQ(L"1 65 65", properties_.values[key]);

    PlaySession slower = Another(nearlySolved(1));
    EXPECT_EQ(std::make_pair(Message(M::kCaptionSolved), solvedIn(80)), Box(finish(slower, 1, 80000)));
    EXPECT_EQ(L"2 65 145", properties_.values[key]);
    for (Command::Kind help : {Command::kHint, Command::kFillInCandidates}) {
        PlaySession helped = Another(nearlySolved(2));
        Run(helped, Command::Of(help));
        EXPECT_EQ(solvedIn(1), Box(finish(helped, 2, 1000)).second);
    }
    PlaySession solved = Another(nearlySolved(3));
    EXPECT_EQ(BoardAnswer::kNoBox, Run(solved, Command::Of(Command::kSolve)).box);
    Run(solved, Command::Of(Command::kUndo));
    EXPECT_EQ(BoardAnswer::kNoBox, finish(solved, 3, 1000).box);  // the game ended with Solve
    PlaySession unknown = Another(nearlySolved(5));
    Game kept(ReadPuzzleLine(nearlySolved(4)));
    kept.Replace(ReadPuzzleLine(nearlySolved(5)));
    unknown.Resume(kept, GamePlay());
    Run(unknown, Command::Of(Command::kUndo));  // back into a puzzle whose game is not known
    EXPECT_EQ(solvedIn(1), Box(finish(unknown, 4, 1000)).second);
    PlaySession typed = Another(std::string(81, '.'));
    for (int i = 0; i < 81; ++i) {
        Run(typed, Command::SelectCell({i % 9 + 1, i / 9 + 1}));
        Run(typed, Command::Digit(kSolvedSample[i] - '0'));
    }
    EXPECT_TRUE(typed.GetBoard().IsSolved());
    EXPECT_EQ(L"2 65 145", properties_.values[key]);
    Message statistics(M::kStatisticsLevel,
                       {V::Level(PuzzleLevel::kEasy), V::Number(2), V::Time(65), V::Time(73)});
    for (PuzzleLevel level : {PuzzleLevel::kMedium, PuzzleLevel::kHard, PuzzleLevel::kExpert, PuzzleLevel::kExtreme}) {
        statistics.Then(M(M::kStatisticsNoGame, {V::Level(level)}), M::kLine);
    }
    statistics.Then(M::kStatisticsRule, M::kParagraph);
    EXPECT_EQ(std::make_pair(Message(M::kCaptionStatistics), statistics),
              Box(Run(Command::Of(Command::kStatistics))));
}

// Undo after a new puzzle went on the board by mistake brings the game back with its time
// and its help, and Redo the new game with its own; each game counts as it would have.
TEST_F(PlaySessionTest, UndoIntoAGameBringsBackItsTimeAndHelp) {
    Run(Command::Window(Command::kWindowActive, true));
    now_ += 61000;
    Type(1, 1, 8);
    session_.Install(ReadPuzzleLine(kStepGrids[2].givens));
    Run(Command::SelectCell({1, 1}));
    Run(Command::Of(Command::kHint));  // the new game had help
    now_ += 5000;
    Run(Command::Of(Command::kUndo));
    EXPECT_EQ(8, Board().GetCell(1, 1));
    EXPECT_EQ(61000u, session_.GetClock().GetElapsed());
    EXPECT_FALSE(session_.IsAssisted());
    now_ += 1000;
    Run(Command::Of(Command::kRedo));
    EXPECT_EQ(5000u, session_.GetClock().GetElapsed());
    EXPECT_TRUE(session_.IsAssisted());

    // Through Make Digits Givens too, and a game brought back finishes as one: it counts.
    Run(Command::Of(Command::kUndo));
    session_.MakeGivens();
    Run(Command::Of(Command::kUndo));
    EXPECT_EQ(62000u, session_.GetClock().GetElapsed());
    Type(1, 1, 0);
    for (int i = 1; i < 81; ++i) {
        if (kSampleLine[i] == '.') Type(i % 9 + 1, i / 9 + 1, kSolvedSample[i] - '0');
    }
    EXPECT_EQ(BoardAnswer::kInformation, Type(1, 1, kSolvedSample[0] - '0').box);
}

}  // namespace
