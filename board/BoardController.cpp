// BoardController: runs the player's commands on the game and says what they changed.
#include "BoardController.h"

#include "CoachSentences.h"
#include "common/FilePath.h"
#include "common/util/SafeSave.h"
#include "puzzle/Coach.h"
#include "puzzle/GameFile.h"

#include <optional>

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

}  // namespace

BoardController::BoardController(const EnneoPuzzle& start, util::IProperties& properties)
    : game_(start), settings_(properties), keepGame_(settings_.IsOn(BoardSettings::kResumeGame)) {
    view_.markSelection = settings_.IsOn(BoardSettings::kMarkSelection);
}

BoardAnswer BoardController::Execute(const BoardCommand& command) { return Answered(Run(command)); }

BoardAnswer BoardController::Answered(BoardAnswer answer) {
    if (game_.GetChangeCount() != checkedChange_) view_.misfits.clear();
    EnneoPuzzle::Cell selected = game_.GetState().puzzle.GetSelectedCell();
    if (game_.GetChangeCount() != notedChange_ || selected.x != notedSelection_.x || selected.y != notedSelection_.y) {
        notedChange_ = game_.GetChangeCount();
        notedSelection_ = selected;
        answer.keep = keepGame_ && keeper_.Changed();
    }
    return answer;
}

BoardAnswer BoardController::Run(const BoardCommand& command) {
    switch (command.kind) {
    case BoardCommand::kSelectCell: game_.SelectCell(command.cell.x, command.cell.y); return SelectionShown();
    case BoardCommand::kMoveSelection: game_.MoveSelection(command.cell.x, command.cell.y); return SelectionShown();
    case BoardCommand::kEnterDigit: return EnterDigit(command.digit);
    case BoardCommand::kMark: return ShownIf(command.digit == 0 ? game_.ClearMarks() : game_.ToggleMark(command.digit));
    case BoardCommand::kUndo: return ShownIf(game_.Undo());
    case BoardCommand::kRedo: return ShownIf(game_.Redo());
    case BoardCommand::kHint: return Hint();
    case BoardCommand::kCheck: return Check();
    case BoardCommand::kNewEmpty: game_.Replace(EnneoPuzzle()); return Shown();
    case BoardCommand::kNewPuzzle:
        // Seeded from the clock, so that each choice brings another puzzle.
        game_.Replace(PuzzleGenerator(PuzzleGenerator::SeedFromClock()).Generate(command.level));
        return Shown();
    case BoardCommand::kReset: game_.Reset(); return Shown();
    case BoardCommand::kSolve: game_.Solve(); return Shown();
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
    case BoardCommand::kResumeGame: return SwitchKeeping();
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
    game_.EnterDigit(digit);
    return Shown();
}

// Selects the cell of the first mistake or of the solver's next step and explains it;
// places nothing.
BoardAnswer BoardController::Hint() {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    Coach coach(board);
    String sentence = HintSentence(coach, board);
    EnneoPuzzle::Cell cell = coach.GetHintCell();
    BoardAnswer answer;
    if (cell.x != 0) answer = Run(BoardCommand::SelectCell(cell));
    return Boxed(answer, BoardAnswer::kInformation, L"Hint", sentence);
}

// Says whether the digits so far fit the puzzle's only solution; with Mark Selection on,
// the player's digits that do not are tinted until the board changes.
BoardAnswer BoardController::Check() {
    Coach coach(game_.GetState().puzzle);
    view_.misfits = coach.GetMisfits();
    checkedChange_ = game_.GetChangeCount();
    BoardAnswer answer;
    answer.repaint = view_.markSelection && !view_.misfits.empty();
    return Boxed(answer, BoardAnswer::kInformation, L"Check", CheckSentence(coach));
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
        game_.Replace(reading->game->GetState());
        return Answered(Shown());
    }
    EnneoPuzzle puzzle;
    if (!puzzle.Load(path)) return FileError(L"Your enneo has died.\nError loading Enneo from file.");
    game_.Replace(puzzle);
    return Answered(Shown());
}

BoardAnswer BoardController::Save(const wchar_t* path, FileType type) const {
    bool saved = false;
    if (type == kGameFile) {
        std::string text = GameFile::Write(game_);
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
        view_.misfits.clear();
        checkedChange_ = notedChange_ = game_.GetChangeCount();
        notedSelection_ = game_.GetState().puzzle.GetSelectedCell();
        answer = Shown();
        // A game taken from the backup, or without its history, is written again soundly.
        if (!reading.message.empty()) answer.keep = keeper_.Changed();
    }
    if (reading.message.empty()) return answer;
    return Boxed(answer, BoardAnswer::kInformation, kResumeCaption, String(reading.message.c_str()));
}

BoardAnswer BoardController::Keep() {
    if (!keepGame_) return BoardAnswer();
    std::wstring failure = keeper_.Keep(game_);
    if (failure.empty()) return BoardAnswer();
    return Boxed(BoardAnswer(), BoardAnswer::kError, kNotKeptCaption, String(failure.c_str()));
}

bool BoardController::IsAvailable(BoardCommand::Kind kind) const {
    switch (kind) {
    case BoardCommand::kUndo: return game_.CanUndo();
    case BoardCommand::kRedo: return game_.CanRedo();
    default: return true;
    }
}

bool BoardController::IsOn(BoardCommand::Kind kind) const {
    switch (kind) {
    case BoardCommand::kShowHints: return view_.showHints;
    case BoardCommand::kMarkSelection: return view_.markSelection;
    case BoardCommand::kResumeGame: return keepGame_;
    default: return false;
    }
}
