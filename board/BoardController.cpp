// BoardController: runs the player's commands on the game and says what they changed.
#include "BoardController.h"

#include "CoachSentences.h"
#include "puzzle/Coach.h"

namespace {

const wchar_t kFileErrorCaption[] = L"Error (not very fatal)";

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
    : game_(start), settings_(properties) {
    view_.markSelection = settings_.IsOn(BoardSettings::kMarkSelection);
}

BoardAnswer BoardController::Execute(const BoardCommand& command) { return Answered(Run(command)); }

BoardAnswer BoardController::Answered(const BoardAnswer& answer) {
    if (game_.GetChangeCount() != checkedChange_) view_.misfits.clear();
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

BoardAnswer BoardController::Open(const wchar_t* path) {
    EnneoPuzzle puzzle;
    // The puzzle on the board stays: an unreadable file must not cost the player's work.
    if (!puzzle.Load(path)) return FileError(L"Your enneo has died.\nError loading Enneo from file.");
    game_.Replace(puzzle);
    return Answered(Shown());
}

BoardAnswer BoardController::Save(const wchar_t* path) const {
    // Save prints into the puzzle's own buffer: a copy leaves the game's board untouched.
    EnneoPuzzle board = game_.GetState().puzzle;
    if (!board.Save(path)) return FileError(L"Your enneo has died.\nError saving Enneo to file.");
    return BoardAnswer();
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
    default: return false;
    }
}
