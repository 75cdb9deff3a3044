// PlaySession: the game being played, its clock, its solution and its statistics.
#include "PlaySession.h"

#include "puzzle/Coach.h"
#include "puzzle/GridClash.h"

#include <algorithm>
#include <utility>

namespace {

using M = Message;
using V = Message::Value;

PuzzleSolution SolutionOfGivens(const EnneoPuzzle& board) {
    int64_t budget = Coach::kVerdictBudget;
    return PuzzleSolution(PuzzleSolution::GivensOf(board), &budget);
}

// Why digit does not go into cell of board, which left the cell as it was; digit is 1
// to 9, or 0 (to empty) for a given cell. The row is named first, then the column, then
// the block.
Message Refusal(const EnneoPuzzle& board, EnneoPuzzle::Cell cell, int digit) {
    if (board.GetCellState(cell.x, cell.y) == EnneoPuzzle::CELL_KNOWN) {
        return M(M::kGivenHere, {V::Number(board.GetCell(cell.x, cell.y))});
    }
    std::optional<GridClash::Blocker> blocker = GridClash::BlockerOf(board, cell, digit);
    if (!blocker) return M(M::kAlreadyHere, {V::Number(digit)});
    switch (blocker->unit.kind) {
    case GridUnit::kRow: return M(M::kClashInRow, {V::Number(digit), V::Number(cell.y)});
    case GridUnit::kColumn: return M(M::kClashInColumn, {V::Number(digit), V::Number(cell.x)});
    case GridUnit::kBlock: break;
    }
    return M(M::kClashInBlock, {V::Number(digit), V::Number(blocker->cell.y), V::Number(blocker->cell.x)});
}

// Candidates as the words layer lists them: cell (reading order) * 16 + digit.
std::vector<int> Items(const std::vector<TechniqueStep::Candidate>& candidates) {
    std::vector<int> items;
    for (const TechniqueStep::Candidate& candidate : candidates)
        items.push_back(((candidate.cell.y - 1) * 9 + candidate.cell.x - 1) * 16 + candidate.digit);
    return items;
}

// The distinct cells of candidates, in their order.
std::vector<EnneoPuzzle::Cell> CellsOf(const std::vector<TechniqueStep::Candidate>& candidates) {
    std::vector<EnneoPuzzle::Cell> cells;
    for (const TechniqueStep::Candidate& candidate : candidates) {
        if (std::none_of(cells.begin(), cells.end(), [&](EnneoPuzzle::Cell c) {
                return c.x == candidate.cell.x && c.y == candidate.cell.y;
            })) {
            cells.push_back(candidate.cell);
        }
    }
    return cells;
}

// The first stage of a technique's step: the technique, and where to look.
Message LookMessage(const TechniqueStep& step) {
    V technique = V::Technique(step.technique);
    if (!step.units.empty()) return M(M::kHintLookInUnit, {V::Unit(step.units.front()), technique});
    std::vector<EnneoPuzzle::Cell> cells = CellsOf(step.pattern);
    if (cells.size() == 1) return M(M::kHintLookAtCell, {V::Number(cells[0].y), V::Number(cells[0].x), technique});
    return M(M::kHintLookAtCells, {technique});
}

// The second stage: the whole step, the singles in their own words.
Message StepMessage(const TechniqueStep& step) {
    V technique = V::Technique(step.technique), pattern = V::CandidatesByCell(Items(step.pattern));
    if (!step.placements.empty()) {
        TechniqueStep::Candidate at = step.placements.front();
        std::vector<V> values = {V::Number(at.digit), V::Number(at.cell.y), V::Number(at.cell.x)};
        switch (step.technique) {
        case Technique::kFullHouse: return M(M::kHintFullHouse, {values[0], values[1], values[2], V::Unit(step.units.front())});
        case Technique::kNakedSingle: return M(M::kHintSingleCandidate, values);
        case Technique::kHiddenSingleBlock: return M(M::kHintSingleInBlock, values);
        case Technique::kHiddenSingleRow: return M(M::kHintSingleInRow, values);
        case Technique::kHiddenSingleColumn: return M(M::kHintSingleInColumn, values);
        default: return M(M::kHintStepPlaces, {technique, pattern, values[0], values[1], values[2]});
        }
    }
    V removals = V::CandidatesByDigit(Items(step.eliminations));
    if (step.units.empty()) return M(M::kHintStepRemoves, {technique, pattern, removals});
    return M(M::kHintStepRemovesInUnit, {technique, V::Unit(step.units.front()), pattern, removals});
}

// A hint's words where it has one stage: a mistake, a missing mark, the solver's step.
Message HintMessage(const Hint& hint, const EnneoPuzzle& board) {
    std::vector<V> values = {V::Number(hint.digit), V::Number(hint.cell.y), V::Number(hint.cell.x)};
    switch (hint.kind) {
    case Hint::kMistake: return M(M::kHintMisfit, values);
    case Hint::kMissingMark: return M(M::kHintMissingMark, {values[1], values[2]});
    case Hint::kTechnique:
    case Hint::kSolverStep: break;
    }
    switch (hint.strategy) {
    case SolverGrid::kSingleCandidate: return M(M::kHintSingleCandidate, values);
    case SolverGrid::kSingleInBlock: return M(M::kHintSingleInBlock, values);
    case SolverGrid::kSingleInRow: return M(M::kHintSingleInRow, values);
    case SolverGrid::kSingleInColumn: return M(M::kHintSingleInColumn, values);
    case SolverGrid::kTrial: break;
    }
    return M(M::kHintTrial, {values[1], values[2], V::Digits(board.GetCandidatesMask(hint.cell.x, hint.cell.y)),
                              values[0]});
}

// The verdicts that the Hint and Check boxes put alike.
Message VerdictMessage(Coach::Verdict verdict) {
    switch (verdict) {
    case Coach::kSolved: return M(M::kSolved);
    case Coach::kNoSolution: return M(M::kNoSolution);
    case Coach::kNoSolutionFits: return M(M::kNoSolutionFits);
    case Coach::kSeveralSolutions: return M(M::kSeveralSolutions);
    case Coach::kOpen:
    case Coach::kMisfits:
    case Coach::kUndecided: break;
    }
    return M(M::kUndecided);
}

// The Check box: the verdict, with the cells left and the givens' level of an open
// puzzle, or the number of digits beyond the givens that do not fit (the solver's
// count as well as the player's: both are set digits).
Message CheckMessage(const Coach& coach) {
    if (coach.GetVerdict() == Coach::kMisfits) {
        return M(M::kCheckMisfits, {V::Number(static_cast<int64_t>(coach.GetMisfits().size()))});
    }
    if (coach.GetVerdict() != Coach::kOpen) return VerdictMessage(coach.GetVerdict());
    Message message(M::kCheckFits);
    message.Then(M(M::kCellsLeft, {V::Number(coach.GetCellsLeft())}), M::kLine);
    if (std::optional<double> rating = coach.GetRating()) {
        message.Then(M(M::kCheckLevel, {V::Level(LevelOf(*rating)), V::Rating(*rating)}));
    }
    return message;
}

}  // namespace

PlaySession::PlaySession(const EnneoPuzzle& start, util::IProperties& properties, GameClock::TimeSource now)
    : game_(start),
      statistics_(properties),
      clock_(std::move(now)),
      solution_(SolutionOfGivens(start)),
      finished_(start.IsSolved()) {}

BoardAnswer PlaySession::Run(const BoardCommand& command, bool pencilMode) {
    switch (command.kind) {
    case BoardCommand::kSelectCell: game_.SelectCell(command.cell.x, command.cell.y); break;
    case BoardCommand::kMoveSelection: game_.MoveSelection(command.cell.x, command.cell.y); break;
    case BoardCommand::kEnterDigit: return EnterDigit(command.digit, pencilMode);
    case BoardCommand::kMark: return Mark(command.digit);
    case BoardCommand::kUndo: return BoardAnswer::Shown(game_.Undo());
    case BoardCommand::kRedo: return BoardAnswer::Shown(game_.Redo());
    case BoardCommand::kUndoToCorrect: return UndoToCorrect();
    case BoardCommand::kFillInCandidates:
        assisted_ = true;
        return BoardAnswer::Shown(game_.FillInCandidates()).Announced(M::kCandidatesFilled);
    case BoardCommand::kClearAllMarks:
        if (!game_.ClearAllMarks()) return BoardAnswer().Announced(M::kNoMarks);
        return BoardAnswer::Shown().Announced(M::kMarksCleared);
    case BoardCommand::kHint: return Hint();
    case BoardCommand::kCheck: return Check();
    case BoardCommand::kReset: game_.Reset(); return BoardAnswer::Shown();
    case BoardCommand::kSolve:
        // The board Solve completes is not the player's: its game ends without a word.
        assisted_ = true;
        if (game_.Solve() && GetBoard().IsSolved()) finished_ = true;
        return BoardAnswer::Shown();
    case BoardCommand::kStatistics: return Statistics();
    case BoardCommand::kWindowActive: windowActive_ = command.digit != 0; break;
    case BoardCommand::kWindowMinimized: windowMinimized_ = command.digit != 0; break;
    case BoardCommand::kSessionLocked: sessionLocked_ = command.digit != 0; break;
    default: break;  // kTick, and what other parts run
    }
    return BoardAnswer();
}

bool PlaySession::IsAvailable(BoardCommand::Kind kind) const {
    switch (kind) {
    case BoardCommand::kUndo: return game_.CanUndo();
    case BoardCommand::kRedo: return game_.CanRedo();
    case BoardCommand::kUndoToCorrect:
        return game_.CanUndo() && !solution_.MisfitsOf(GetBoard()).empty();  // none without one solution
    default: return true;
    }
}

void PlaySession::Install(const EnneoPuzzle& puzzle) {
    ++installs_;
    if (game_.Replace(puzzle)) StartGame(GamePlay());
}

void PlaySession::Install(const GameState& state, const GamePlay& play) {
    ++installs_;
    if (game_.Replace(state)) StartGame(play);
}

void PlaySession::MakeGivens() {
    ++installs_;
    if (game_.MakeGivens()) StartGame(GamePlay());
}

void PlaySession::Resume(const Game& game, const GamePlay& play) {
    game_ = game;
    StartGame(play);
    leftGames_.clear();  // the kept history's other puzzles are of games not known here
    PointAt({});
    answeredChange_ = game_.GetChangeCount();
}

void PlaySession::StartGame(const GamePlay& play) {
    LeaveGame();
    solution_ = SolutionOfGivens(GetBoard());
    clock_.Restart(play.milliseconds);
    assisted_ = play.assisted;
    finished_ = GetBoard().IsSolved();  // a board complete from the start was not played
}

void PlaySession::LeaveGame() {
    if (leftGames_.size() == kLeftGames) leftGames_.pop_front();
    leftGames_.push_back({solution_, Play(), finished_});
}

void PlaySession::ReturnToGame() {
    const EnneoPuzzle& board = GetBoard();
    auto found = std::find_if(leftGames_.rbegin(), leftGames_.rend(),
                              [&board](const LeftGame& left) { return left.solution.IsGivensOf(board); });
    if (found == leftGames_.rend()) {
        LeaveGame();
        solution_ = SolutionOfGivens(board);
        assisted_ = true;
        return;
    }
    LeftGame back = *found;
    leftGames_.erase(std::next(found).base());
    LeaveGame();
    solution_ = back.solution;
    clock_.Restart(back.play.milliseconds);
    assisted_ = back.play.assisted;
    finished_ = back.finished;
}

BoardAnswer PlaySession::Settle(BoardAnswer answer, bool paused) {
    const EnneoPuzzle& board = GetBoard();
    bool changed = game_.GetChangeCount() != answeredChange_;
    answeredChange_ = game_.GetChangeCount();
    if (game_.GetChangeCount() != pointedChange_) PointAt({});
    if (!solution_.IsGivensOf(board)) ReturnToGame();
    if (changed && !finished_ && board.IsSolved()) answer = Finish(answer);
    clock_.Run(windowActive_ && !windowMinimized_ && !sessionLocked_ && !paused && !board.IsSolved());
    return answer;
}

// The game's end, the board completed by the player: a box, which a screen reader also
// hears, says that it is solved and in what time. The time counts for the statistics
// when the player finished unassisted, and a new best time is told in the same box.
BoardAnswer PlaySession::Finish(BoardAnswer answer) {
    finished_ = true;
    uint64_t seconds = clock_.GetElapsed() / 1000;
    Message solved(M::kSolvedIn, {V::Time(seconds)});
    if (!assisted_ && solution_.GetCount() == PuzzleSolution::kOne && solution_.MisfitsOf(GetBoard()).empty()) {
        PuzzleLevel level = solution_.GetLevel();
        if (statistics_.Record(level, seconds)) solved.Then(M(M::kNewBestTime, {V::Level(level)}));
    }
    return answer.Boxed(BoardAnswer::kInformation, M::kCaptionSolved, solved).Announced(solved);
}

// Nothing without a selection or in a given cell; otherwise the board is shown again
// whether or not the digit was taken. Where a cell refuses the digit, the answer says
// which and why (a screen reader hears it); without a selection a screen reader hears
// that none is.
BoardAnswer PlaySession::EnterDigit(int digit, bool pencilMode) {
    const EnneoPuzzle& board = GetBoard();
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    if (selected.x == 0) return BoardAnswer().Announced(M::kNoSelection);
    if (board.GetCellState(selected.x, selected.y) == EnneoPuzzle::CELL_KNOWN) {
        return BoardAnswer().Refused(selected, Refusal(board, selected, digit));
    }
    if (pencilMode && digit != 0) return Mark(digit);
    if (game_.EnterDigit(digit) || digit == 0) return BoardAnswer::Shown();
    return BoardAnswer::Shown().Refused(selected, Refusal(board, selected, digit));
}

BoardAnswer PlaySession::Mark(int digit) {
    const EnneoPuzzle& board = GetBoard();
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    if (selected.x == 0) return BoardAnswer().Announced(M::kNoSelection);
    if (board.GetCellState(selected.x, selected.y) != EnneoPuzzle::CELL_EMPTY) {
        return BoardAnswer().Refused(selected, M::kMarksInEmptyCellsOnly);
    }
    return BoardAnswer::Shown(digit == 0 ? game_.ClearMarks() : game_.ToggleMark(digit));
}

// Hint in stages on one board: a technique's step is first named with where to look
// (its pattern tinted), then told whole (the cells it changes tinted), then made as one
// step; a mistake, a missing mark or the solver's step is told at once, its cell tinted.
// Any change of the board starts again.
BoardAnswer PlaySession::Hint() {
    assisted_ = true;
    if (findings_.hint && pointedChange_ == game_.GetChangeCount() && findings_.hint->kind == Hint::kTechnique) {
        return HintStage(*findings_.hint, findings_.hintStage + 1);
    }
    Coach coach(GetBoard());
    std::optional<::Hint> hint = coach.GetHint(game_.GetState());
    if (hint) return HintStage(*hint, 1);
    PointAt({});
    BoardAnswer answer;
    answer.repaint = true;
    return answer.Boxed(BoardAnswer::kInformation, M::kCaptionHint,
                        coach.GetVerdict() == Coach::kSeveralSolutions ? M(M::kHintSeveralSolutions)
                                                                       : VerdictMessage(coach.GetVerdict()));
}

BoardAnswer PlaySession::HintStage(::Hint hint, int stage) {
    if (hint.kind == Hint::kTechnique && stage == 3) {
        return BoardAnswer::Shown(game_.Apply(*hint.step)).Announced(M::kHintStepMade);
    }
    Findings findings;
    Message sentence;
    std::vector<EnneoPuzzle::Cell> cells = {hint.cell};
    if (hint.kind != Hint::kTechnique) {
        sentence = HintMessage(hint, GetBoard());
    } else if (stage == 1) {
        sentence = LookMessage(*hint.step);
        cells = CellsOf(hint.step->pattern);
    } else {
        sentence = StepMessage(*hint.step);
        std::vector<TechniqueStep::Candidate> changed = hint.step->placements;
        changed.insert(changed.end(), hint.step->eliminations.begin(), hint.step->eliminations.end());
        cells = CellsOf(changed);
    }
    (hint.kind == Hint::kMistake ? findings.misfits : findings.hinted) = cells;
    game_.SelectCell(cells.front().x, cells.front().y);
    findings.hint = std::move(hint);
    findings.hintStage = stage;
    PointAt(std::move(findings));
    BoardAnswer answer;
    answer.repaint = true;
    return answer.Boxed(BoardAnswer::kInformation, M::kCaptionHint, sentence);
}

// Says whether the digits so far fit the puzzle's only solution; those that do not are
// tinted until the board changes.
BoardAnswer PlaySession::Check() {
    Coach coach(GetBoard());
    Findings findings;
    findings.misfits = coach.GetMisfits();
    PointAt(std::move(findings));
    BoardAnswer answer;
    answer.repaint = true;
    return answer.Boxed(BoardAnswer::kInformation, M::kCaptionCheck, CheckMessage(coach));
}

void PlaySession::PointAt(Findings findings) {
    findings_ = std::move(findings);
    pointedChange_ = game_.GetChangeCount();
}

// Back through the steps to the last board on which every digit fits the givens' only
// solution; Redo walks forward again step by step.
BoardAnswer PlaySession::UndoToCorrect() {
    if (!IsAvailable(BoardCommand::kUndoToCorrect)) return BoardAnswer().Announced(M::kUndoToCorrectUnavailable);
    assisted_ = true;
    bool undone = game_.UndoUntil([this](const EnneoPuzzle& board) { return solution_.MisfitsOf(board).empty(); });
    return BoardAnswer::Shown(undone).Announced(M::kUndoneToCorrect);
}

// The box of Options / Statistics: for each level the games finished, the best and the
// average time, and which games count.
BoardAnswer PlaySession::Statistics() const {
    Message report;
    for (PuzzleLevel level : kPuzzleLevels) {
        GameStatistics::Times times = statistics_.Get(level);
        Message line(M::kStatisticsNoGame, {V::Level(level)});
        if (times.games > 0) {
            uint64_t average = (times.totalSeconds + times.games / 2) / times.games;  // rounded
            line = M(M::kStatisticsLevel, {V::Level(level), V::Number(static_cast<int64_t>(times.games)),
                                           V::Time(times.bestSeconds), V::Time(average)});
        }
        if (report.IsEmpty()) {
            report = line;
        } else {
            report.Then(line, M::kLine);
        }
    }
    report.Then(M(M::kStatisticsRule), M::kParagraph);
    return BoardAnswer().Boxed(BoardAnswer::kInformation, M::kCaptionStatistics, report);
}
