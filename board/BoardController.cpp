// BoardController: runs the player's commands on the game and says what they changed.
#include "BoardController.h"

#include "CoachSentences.h"
#include "StatisticsSentences.h"
#include "common/FilePath.h"
#include "common/util/SafeSave.h"
#include "puzzle/Coach.h"
#include "puzzle/GameFile.h"

#include <cwchar>
#include <optional>
#include <utility>

namespace {

const wchar_t kFileErrorCaption[] = L"Error (not very fatal)";
const wchar_t kResumeCaption[] = L"Last Game";
const wchar_t kNotKeptCaption[] = L"Game Not Kept";

// A command that may have changed the board: the board and the menu shown again.
BoardAnswer Shown() {
    BoardAnswer answer;
    answer.repaint = true;
    answer.menu = true;
    return answer;
}

// Shown when the board changed, nothing otherwise.
BoardAnswer ShownIf(bool changed) { return changed ? Shown() : BoardAnswer(); }

BoardAnswer Boxed(BoardAnswer answer, BoardAnswer::Box box, const wchar_t* caption, const String& sentence) {
    answer.box = box;
    answer.caption = caption;
    answer.sentence = sentence;
    return answer;
}

BoardAnswer FileError(const wchar_t* sentence) {
    return Boxed(BoardAnswer(), BoardAnswer::kError, kFileErrorCaption, String(sentence));
}

// The menu shows a switch's check mark.
BoardAnswer MenuShown() {
    BoardAnswer answer;
    answer.menu = true;
    return answer;
}

PuzzleSolution SolutionOfGivens(const EnneoPuzzle& board) {
    int64_t budget = Coach::kVerdictBudget;
    return PuzzleSolution(PuzzleSolution::GivensOf(board), &budget);
}

}  // namespace

const wchar_t BoardController::kProgramTitle[] = L"Enneo Tessary";

BoardController::BoardController(const EnneoPuzzle& start, util::IProperties& properties, GameClock::TimeSource now)
    : game_(start),
      settings_(properties),
      statistics_(properties),
      clock_(std::move(now)),
      solution_(SolutionOfGivens(start)),
      showTimer_(settings_.IsOn(BoardSettings::kShowTimer)),
      finished_(start.IsSolved()),
      title_(GetTitle()),
      keepGame_(settings_.IsOn(BoardSettings::kResumeGame)) {
    view_.markSelection = settings_.IsOn(BoardSettings::kMarkSelection);
}

BoardAnswer BoardController::Execute(const BoardCommand& command) {
    if (view_.paused && !RunsWhilePaused(command.kind)) {
        // A click on the picture of the pause goes on; nothing else reaches the board.
        return Answered(command.kind == BoardCommand::kSelectCell ? Run(BoardCommand::Of(BoardCommand::kPause))
                                                                  : BoardAnswer());
    }
    return Answered(Run(command));
}

BoardAnswer BoardController::Answered(BoardAnswer answer) {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    bool changed = game_.GetChangeCount() != answeredChange_;
    answeredChange_ = game_.GetChangeCount();
    if (game_.GetChangeCount() != pointedChange_) PointAt({}, {0, 0});
    if (!solution_.IsGivensOf(board)) {
        // Undo or Redo back into another puzzle, whose time and help this game does not
        // know: it does not count.
        solution_ = SolutionOfGivens(board);
        assisted_ = true;
    }
    if (changed && !finished_ && board.IsSolved()) answer = Finish(answer);
    bool wasRunning = clock_.IsRunning();
    clock_.Run(windowActive_ && !windowMinimized_ && !sessionLocked_ && !view_.paused && !board.IsSolved());
    String title = GetTitle();
    if (std::wcscmp(title.GetText(), title_.GetText()) != 0) {
        title_ = title;
        answer.title = true;
    }
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    bool stopped = wasRunning && !clock_.IsRunning();  // the time to keep stands still
    if (stopped || assisted_ != notedAssisted_ || game_.GetChangeCount() != notedChange_ ||
        selected.x != notedSelection_.x || selected.y != notedSelection_.y) {
        notedChange_ = game_.GetChangeCount();
        notedSelection_ = selected;
        notedAssisted_ = assisted_;
        answer.keep = keepGame_ && keeper_.Changed();
    }
    return answer;
}

BoardAnswer BoardController::Installed(bool replaced, const GamePlay& play) {
    view_.paused = false;  // the player asked to see a new board
    if (replaced) StartGame(play);
    return Shown();
}

void BoardController::StartGame(const GamePlay& play) {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    solution_ = SolutionOfGivens(board);
    clock_.Restart(play.milliseconds);
    assisted_ = play.assisted;
    finished_ = board.IsSolved();  // a board complete from the start was not played
}

BoardAnswer BoardController::Finish(BoardAnswer answer) {
    finished_ = true;
    const EnneoPuzzle& board = game_.GetState().puzzle;
    if (assisted_ || solution_.GetCount() != PuzzleSolution::kOne || !solution_.MisfitsOf(board).empty()) {
        return answer;
    }
    uint64_t seconds = clock_.GetElapsed() / 1000;
    PuzzleGenerator::Level level = solution_.GetLevel();
    if (!statistics_.Record(level, seconds)) return answer;
    return Boxed(answer, BoardAnswer::kInformation, L"Statistics", NewBestSentence(level, seconds));
}

// What may run while the game is paused: nothing that shows or changes the board, but
// a new puzzle (which starts a new game), the switches and what the window tells.
bool BoardController::RunsWhilePaused(BoardCommand::Kind kind) const {
    switch (kind) {
    case BoardCommand::kNewEmpty:
    case BoardCommand::kNewPuzzle:
    case BoardCommand::kStatistics:
    case BoardCommand::kShowHints:
    case BoardCommand::kMarkSelection:
    case BoardCommand::kPencilMode:
    case BoardCommand::kShowTimer:
    case BoardCommand::kPause:
    case BoardCommand::kWindowActive:
    case BoardCommand::kWindowMinimized:
    case BoardCommand::kSessionLocked:
    case BoardCommand::kTick: return true;
    default: return false;
    }
}

BoardAnswer BoardController::Run(const BoardCommand& command) {
    switch (command.kind) {
    case BoardCommand::kSelectCell: game_.SelectCell(command.cell.x, command.cell.y); return SelectionShown();
    case BoardCommand::kMoveSelection: game_.MoveSelection(command.cell.x, command.cell.y); return SelectionShown();
    case BoardCommand::kEnterDigit: return EnterDigit(command.digit);
    case BoardCommand::kMark: return ShownIf(command.digit == 0 ? game_.ClearMarks() : game_.ToggleMark(command.digit));
    case BoardCommand::kUndo: return ShownIf(game_.Undo());
    case BoardCommand::kRedo: return ShownIf(game_.Redo());
    case BoardCommand::kUndoToCorrect: return UndoToCorrect();
    case BoardCommand::kFillInCandidates: assisted_ = true; return ShownIf(game_.FillInCandidates());
    case BoardCommand::kClearAllMarks: return ShownIf(game_.ClearAllMarks());
    case BoardCommand::kHint: return Hint();
    case BoardCommand::kCheck: return Check();
    case BoardCommand::kNewEmpty: return Installed(game_.Replace(EnneoPuzzle()));
    case BoardCommand::kNewPuzzle:
        // Seeded from the clock, so that each choice brings another puzzle.
        return Installed(game_.Replace(PuzzleGenerator(PuzzleGenerator::SeedFromClock()).Generate(command.level)));
    case BoardCommand::kReset: game_.Reset(); return Shown();
    case BoardCommand::kSolve:
        assisted_ = true;
        game_.Solve();
        return Shown();
    case BoardCommand::kStatistics:
        return Boxed(BoardAnswer(), BoardAnswer::kInformation, L"Statistics", StatisticsSentence(statistics_));
    case BoardCommand::kShowHints: {
        view_.showHints = !view_.showHints;
        BoardAnswer answer;
        answer.repaint = true;
        return answer;
    }
    case BoardCommand::kMarkSelection:
        view_.markSelection = !view_.markSelection;
        settings_.Set(BoardSettings::kMarkSelection, view_.markSelection);
        return Shown();
    case BoardCommand::kPencilMode: view_.pencilMode = !view_.pencilMode; return MenuShown();
    case BoardCommand::kShowTimer:
        showTimer_ = !showTimer_;
        settings_.Set(BoardSettings::kShowTimer, showTimer_);
        return MenuShown();
    case BoardCommand::kPause: view_.paused = !view_.paused; return Shown();
    case BoardCommand::kWindowActive: windowActive_ = command.digit != 0; return BoardAnswer();
    case BoardCommand::kWindowMinimized: windowMinimized_ = command.digit != 0; return BoardAnswer();
    case BoardCommand::kSessionLocked: sessionLocked_ = command.digit != 0; return BoardAnswer();
    case BoardCommand::kTick: return BoardAnswer();
    case BoardCommand::kResumeGame: return SwitchKeeping();
    case BoardCommand::kPrint: break;  // the window prints; the game stays as it is
    }
    return BoardAnswer();
}

// With Mark Selection off the selection shows nowhere, and the board is not repainted
// for it.
BoardAnswer BoardController::SelectionShown() const {
    BoardAnswer answer;
    answer.repaint = view_.markSelection;
    return answer;
}

// Nothing without a selection or in a given cell; otherwise the board is shown again
// whether or not the digit was taken.
BoardAnswer BoardController::EnterDigit(int digit) {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    if (selected.x == 0 || board.GetCellState(selected.x, selected.y) == EnneoPuzzle::CELL_KNOWN) {
        return BoardAnswer();
    }
    if (view_.pencilMode && digit != 0) return ShownIf(game_.ToggleMark(digit));
    game_.EnterDigit(digit);
    return Shown();
}

// Selects the cell of the first mistake or of the solver's next step, tints it and
// explains it; places nothing.
BoardAnswer BoardController::Hint() {
    assisted_ = true;
    const EnneoPuzzle& board = game_.GetState().puzzle;
    Coach coach(board);
    String sentence = HintSentence(coach, board);
    EnneoPuzzle::Cell cell = coach.GetHintCell();
    if (cell.x != 0) game_.SelectCell(cell.x, cell.y);
    bool mistake = coach.GetVerdict() == Coach::kMisfits;
    PointAt(mistake ? std::vector<EnneoPuzzle::Cell>{cell} : std::vector<EnneoPuzzle::Cell>(),
            mistake ? EnneoPuzzle::Cell{0, 0} : cell);
    BoardAnswer answer;
    answer.repaint = true;
    return Boxed(answer, BoardAnswer::kInformation, L"Hint", sentence);
}

// Says whether the digits so far fit the puzzle's only solution; those that do not are
// tinted until the board changes.
BoardAnswer BoardController::Check() {
    Coach coach(game_.GetState().puzzle);
    PointAt(coach.GetMisfits(), {0, 0});
    BoardAnswer answer;
    answer.repaint = true;
    return Boxed(answer, BoardAnswer::kInformation, L"Check", CheckSentence(coach));
}

void BoardController::PointAt(const std::vector<EnneoPuzzle::Cell>& misfits, EnneoPuzzle::Cell hinted) {
    view_.misfits = misfits;
    view_.hinted = hinted;
    pointedChange_ = game_.GetChangeCount();
}

// Back through the steps to the last board on which every digit fits the givens' only
// solution; Redo walks forward again step by step.
BoardAnswer BoardController::UndoToCorrect() {
    if (!IsAvailable(BoardCommand::kUndoToCorrect)) return BoardAnswer();
    assisted_ = true;
    return ShownIf(game_.UndoUntil([this](const EnneoPuzzle& board) { return solution_.MisfitsOf(board).empty(); }));
}

// Switched on, the game is kept soon, unless another copy of the program keeps one.
BoardAnswer BoardController::SwitchKeeping() {
    keepGame_ = !keepGame_;
    settings_.Set(BoardSettings::kResumeGame, keepGame_);
    BoardAnswer answer;
    answer.menu = true;
    if (!keepGame_) return answer;
    if (!keeper_.HasFile()) return KeptElsewhere(answer);
    answer.keep = keeper_.Changed();
    return answer;
}

BoardAnswer BoardController::KeptElsewhere(BoardAnswer answer) {
    return Boxed(answer, BoardAnswer::kInformation, kResumeCaption,
                 String(L"Another Enneo Tessary that is running keeps the game in progress, so the game in this window "
                        L"is not kept."));
}

BoardAnswer BoardController::Open(const wchar_t* path) {
    // The board stays when the file cannot be read: an unreadable file must not cost the
    // player's work.
    if (std::optional<GameFile::Reading> reading = GameFile::ReadIfGame(ToFilePath(path))) {
        if (!reading->game) return FileError(reading->message.c_str());
        return Answered(Installed(game_.Replace(reading->game->GetState()), reading->play));
    }
    EnneoPuzzle puzzle;
    if (!puzzle.Load(path)) return FileError(L"Your enneo has died.\nError loading Enneo from file.");
    return Answered(Installed(game_.Replace(puzzle)));
}

BoardAnswer BoardController::Save(const wchar_t* path, FileType type) const {
    bool saved = false;
    if (type == kGameFile) {
        std::string text = GameFile::Write(game_, Play());
        saved = util::SafeSave(ToFilePath(path), text.data(), text.size());
    } else {
        // Save prints into the puzzle's own buffer: a copy leaves the game's board untouched.
        EnneoPuzzle board = game_.GetState().puzzle;
        saved = board.Save(path);
    }
    return saved ? BoardAnswer() : FileError(L"Your enneo has died.\nError saving Enneo to file.");
}

BoardAnswer BoardController::Resume(const std::filesystem::path& gameFile) {
    keeper_ = GameKeeper(gameFile);
    if (!keepGame_) return BoardAnswer();
    if (!keeper_.HasFile()) return KeptElsewhere(BoardAnswer());
    GameFile::Reading reading = keeper_.Resume();
    BoardAnswer answer;
    if (reading.game) {
        game_ = *reading.game;
        StartGame(reading.play);
        PointAt({}, {0, 0});
        answeredChange_ = notedChange_ = game_.GetChangeCount();
        notedSelection_ = game_.GetState().puzzle.GetSelectedCell();
        notedAssisted_ = assisted_;
        answer = Shown();
        // A game taken from the backup, or without its history, is written again soundly.
        if (!reading.message.empty()) answer.keep = keeper_.Changed();
        answer = Answered(answer);  // the clock and the caption
    }
    if (reading.message.empty()) return answer;
    return Boxed(answer, BoardAnswer::kInformation, kResumeCaption, String(reading.message.c_str()));
}

BoardAnswer BoardController::Keep() {
    if (!keepGame_) return BoardAnswer();
    if (clock_.IsRunning()) keeper_.Changed();  // the time has gone on since the last write
    std::wstring failure = keeper_.Keep(game_, Play());
    if (failure.empty()) return BoardAnswer();
    return Boxed(BoardAnswer(), BoardAnswer::kError, kNotKeptCaption, String(failure.c_str()));
}

bool BoardController::IsAvailable(BoardCommand::Kind kind) const {
    if (view_.paused && !RunsWhilePaused(kind)) return false;
    switch (kind) {
    case BoardCommand::kUndo: return game_.CanUndo();
    case BoardCommand::kRedo: return game_.CanRedo();
    case BoardCommand::kUndoToCorrect:
        return game_.CanUndo() && !solution_.MisfitsOf(game_.GetState().puzzle).empty();  // none without one solution
    default: return true;
    }
}

bool BoardController::IsOn(BoardCommand::Kind kind) const {
    switch (kind) {
    case BoardCommand::kShowHints: return view_.showHints;
    case BoardCommand::kMarkSelection: return view_.markSelection;
    case BoardCommand::kPencilMode: return view_.pencilMode;
    case BoardCommand::kShowTimer: return showTimer_;
    case BoardCommand::kPause: return view_.paused;
    case BoardCommand::kResumeGame: return keepGame_;
    default: return false;
    }
}

String BoardController::GetTitle() const {
    String title(kProgramTitle);
    if (showTimer_) title.AppendFormat(L" - %s", TimeText(clock_.GetElapsed() / 1000));
    return title;
}

unsigned BoardController::GetTickDelay() const {
    if (!showTimer_ || !clock_.IsRunning()) return 0;
    return static_cast<unsigned>(1000 - clock_.GetElapsed() % 1000);
}
