// BoardController: runs the player's commands on the game and says what they changed.
#include "BoardController.h"

#include "BoardSpeech.h"
#include "CoachSentences.h"
#include "common/FilePath.h"
#include "common/util/SafeSave.h"
#include "puzzle/Coach.h"
#include "puzzle/GameFile.h"
#include "puzzle/PuzzleCheck.h"

#include <optional>
#include <string>

namespace {

const wchar_t kFileErrorCaption[] = L"Error (not very fatal)";
const wchar_t kResumeCaption[] = L"Last Game";
const wchar_t kNotKeptCaption[] = L"Game Not Kept";
const wchar_t kOpenCaption[] = L"Open";
const wchar_t kPasteCaption[] = L"Paste Puzzle";
const wchar_t kCopyCaption[] = L"Copy Puzzle";
const wchar_t kMakeGivensCaption[] = L"Make Digits Givens";

const wchar_t kForms[] =
    L"Enneo Tessary reads a puzzle as a line of 81 cells ('1' to '9' for a digit, '.' or '0' for an empty cell), "
    L"as a list of such lines, or as nine lines of nine cells.";

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

const wchar_t kNoSelection[] = L"No cell is selected: an arrow key selects one.";

// answer with a sentence for a screen reader to speak.
BoardAnswer Announced(BoardAnswer answer, const String& sentence) {
    answer.reader.announcement = sentence;
    return answer;
}

const wchar_t kLoadFailed[] = L"Your enneo has died.\nError loading Enneo from file.";

// The file's name without its folder, as a box names it.
std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// Why a paste of something other than text brings no puzzle.
std::wstring NotText(ClipboardContent::Kind kind) {
    switch (kind) {
    case ClipboardContent::kNothing: return L"The clipboard is empty. Copy a puzzle as text first.";
    case ClipboardContent::kPicture:
        return L"The clipboard holds a picture, not text. A puzzle is pasted as text, such as a web page or a "
               L"collection shows it.";
    case ClipboardContent::kFiles:
        return L"The clipboard holds files, not text. To open a puzzle file, choose File / Open or drop the file on "
               L"the board.";
    case ClipboardContent::kBusy: return L"Another program is using the clipboard. Try again in a moment.";
    default: return L"The clipboard holds no text.";
    }
}

// The puzzle number a list place note holds, from 1; 0 for none.
size_t NumberOf(const std::optional<std::wstring>& note) {
    if (!note || note->empty() || note->size() > 9 || note->find_first_not_of(L"0123456789") != std::wstring::npos) {
        return 0;
    }
    return std::stoul(*note);
}

}  // namespace

BoardController::BoardController(const EnneoPuzzle& start, util::IProperties& properties)
    : game_(start),
      settings_(properties),
      keepGame_(settings_.IsOn(BoardSettings::kResumeGame)),
      recentFiles_(properties, kRecentFilesSection, kRecentFiles),
      listPlaces_(properties, kListPlacesSection, kListPlaces) {
    view_.markSelection = settings_.IsOn(BoardSettings::kMarkSelection);
    view_.theme = static_cast<BoardTheme::Choice>(settings_.Get(BoardSettings::kTheme));
}

BoardAnswer BoardController::Execute(const BoardCommand& command) {
    Heard before = Hear();
    return Told(before, Answered(Run(command)));
}

BoardController::Heard BoardController::Hear() const {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    int digit = selected.x == 0 ? 0 : board.GetCell(selected.x, selected.y);
    return {selected, digit, game_.GetChangeCount(), view_.showHints, view_.misfits.size()};
}

// The selected cell is the reader's focus. Every cell's name holds its digits, marks,
// candidates and Check's verdict, so a change of the board, of the hints or of the
// misfits renames cells.
BoardAnswer BoardController::Told(const Heard& before, BoardAnswer answer) {
    Heard now = Hear();
    BoardAnswer::Reader& reader = answer.reader;
    bool sameCell = now.selected.x == before.selected.x && now.selected.y == before.selected.y;
    reader.focusMoved = !sameCell && now.selected.x != 0;
    reader.valueChanged = sameCell && now.selected.x != 0 && now.digit != before.digit;
    reader.namesChanged =
        now.changes != before.changes || now.showHints != before.showHints || now.misfits != before.misfits;
    announcement_ = reader.announcement;
    return answer;
}

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
    case BoardCommand::kMark: return Mark(command.digit);
    case BoardCommand::kUndo: return ShownIf(game_.Undo());
    case BoardCommand::kRedo: return ShownIf(game_.Redo());
    case BoardCommand::kHint: return Hint();
    case BoardCommand::kCheck: return Check();
    case BoardCommand::kNewEmpty:
        listPath_.clear();
        game_.Replace(EnneoPuzzle());
        return Shown();
    case BoardCommand::kNewPuzzle:
        listPath_.clear();
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
    case BoardCommand::kCopyPuzzle: return Copy(PuzzleExchange::kGivens);
    case BoardCommand::kCopyBoard: return Copy(PuzzleExchange::kAllDigits);
    case BoardCommand::kPaste: {
        BoardAnswer answer;
        answer.readClipboard = true;
        return answer;
    }
    case BoardCommand::kMakeGivens: return MakeGivens();
    case BoardCommand::kNextPuzzle: return NextPuzzle();
    case BoardCommand::kOpenRecent: return OpenRecent(static_cast<size_t>(command.digit));
    case BoardCommand::kTheme: return ChooseTheme(command.theme);
    // The window's own: nothing of the board changes.
    case BoardCommand::kOpen:
    case BoardCommand::kSave:
    case BoardCommand::kPrint:
    case BoardCommand::kPrintNewPuzzles:
    case BoardCommand::kExit:
    case BoardCommand::kShowLog:
    case BoardCommand::kCheckForUpdates:
    case BoardCommand::kAbout: break;
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
// whether or not the digit was taken. Where the board stays as it was, a screen reader
// hears why.
BoardAnswer BoardController::EnterDigit(int digit) {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    if (selected.x == 0) return Announced(BoardAnswer(), String(kNoSelection));
    if (board.GetCellState(selected.x, selected.y) == EnneoPuzzle::CELL_KNOWN) {
        return Announced(BoardAnswer(), RefusalSentence(board, selected, digit));
    }
    if (game_.EnterDigit(digit) || digit == 0) return Shown();
    return Announced(Shown(), RefusalSentence(board, selected, digit));
}

BoardAnswer BoardController::Mark(int digit) {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    if (selected.x == 0) return Announced(BoardAnswer(), String(kNoSelection));
    if (board.GetCellState(selected.x, selected.y) != EnneoPuzzle::CELL_EMPTY) {
        return Announced(BoardAnswer(), String(L"Marks go into empty cells only."));
    }
    return ShownIf(digit == 0 ? game_.ClearMarks() : game_.ToggleMark(digit));
}

BoardAnswer BoardController::ChooseTheme(BoardTheme::Choice theme) {
    view_.theme = theme;
    settings_.Set(BoardSettings::kTheme, theme);
    BoardAnswer answer = Shown();
    answer.look = true;
    return answer;
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
    Heard before = Hear();
    return Told(before, Answered(OpenFile(path)));
}

// The board stays when the file cannot be read: an unreadable file must not cost the
// player's work.
BoardAnswer BoardController::OpenFile(const std::wstring& path) {
    std::filesystem::path file = ToFilePath(path.c_str());
    if (std::optional<GameFile::Reading> reading = GameFile::ReadIfGame(file)) {
        if (!reading->game) return FileError(reading->message.c_str());
        listPath_.clear();
        game_.Replace(reading->game->GetState());
        return Remembered(Shown(), path);
    }
    std::optional<PuzzleExchange> text = PuzzleExchange::FromFile(file);
    if (!text) return FileError(kLoadFailed);
    switch (text->GetForm()) {
    case PuzzleExchange::kNoPuzzle:
        return Boxed(BoardAnswer(), BoardAnswer::kError, kOpenCaption,
                     String((L"No puzzle was found in the file \"" + NameOf(path) + L"\". " + kForms).c_str()));
    case PuzzleExchange::kOwnFile:
        // Read as the program's own files always were: unchecked, and without a word.
        listPath_.clear();
        game_.Replace(text->GetPuzzle(0));
        return Remembered(Shown(), path);
    default:
        if (text->GetCount() > 1) {
            size_t lastOpen = NumberOf(listPlaces_.Find(path));
            return OpenListPuzzle(path, *text, lastOpen == 0 ? 0 : lastOpen - 1);
        }
        BoardAnswer answer = Install(text->GetPuzzle(0), kOpenCaption);
        if (!answer.repaint) return answer;
        listPath_.clear();
        return Remembered(answer, path);
    }
}

BoardAnswer BoardController::OpenListPuzzle(const std::wstring& path, const PuzzleExchange& list, size_t index) {
    if (index >= list.GetCount()) index = 0;
    listPath_ = path;
    listPlace_ = {index + 1, list.GetCount()};
    // The place moves on past a puzzle that is refused, so that the next one follows it.
    listPlaces_.Put(path, std::to_wstring(index + 1));
    BoardAnswer answer = Install(list.GetPuzzle(index), kOpenCaption);
    answer.menu = true;
    return Remembered(answer, path);
}

BoardAnswer BoardController::NextPuzzle() {
    if (listPath_.empty()) return Announced(BoardAnswer(), String(L"No list of puzzles is open."));
    // Read again: the file may have changed since.
    std::optional<PuzzleExchange> list = PuzzleExchange::FromFile(ToFilePath(listPath_.c_str()));
    if (!list || list->GetForm() != PuzzleExchange::kLines || list->GetCount() < 2) {
        std::wstring name = NameOf(listPath_);
        listPath_.clear();
        BoardAnswer answer;
        answer.menu = true;
        return Boxed(answer, BoardAnswer::kError, kOpenCaption,
                     String((L"The file \"" + name + L"\" no longer holds a list of puzzles.").c_str()));
    }
    return OpenListPuzzle(listPath_, *list, listPlace_.number);
}

BoardAnswer BoardController::OpenRecent(size_t index) {
    if (index >= recentFiles_.Get().size()) return BoardAnswer();
    std::wstring path = recentFiles_.Get()[index].path;
    std::error_code error;
    if (std::filesystem::exists(ToFilePath(path.c_str()), error) || error) return OpenFile(path);
    recentFiles_.Remove(path);
    BoardAnswer answer;
    answer.menu = true;
    return Boxed(answer, BoardAnswer::kError, kOpenCaption,
                 String((L"The file \"" + path + L"\" is no longer there, so it was taken off the list.").c_str()));
}

BoardAnswer BoardController::Install(const EnneoPuzzle& puzzle, const wchar_t* caption) {
    PuzzleCheck check(puzzle);
    if (!check.MayLoad())
        return Boxed(BoardAnswer(), BoardAnswer::kError, caption, String(check.GetSentence().c_str()));
    game_.Replace(puzzle);
    if (check.GetSentence().empty()) return Shown();
    return Boxed(Shown(), BoardAnswer::kInformation, caption, String(check.GetSentence().c_str()));
}

BoardAnswer BoardController::Paste(const ClipboardContent& content) {
    Heard before = Hear();
    if (content.kind != ClipboardContent::kText) {
        return Told(before,
                    Boxed(BoardAnswer(), BoardAnswer::kError, kPasteCaption, String(NotText(content.kind).c_str())));
    }
    PuzzleExchange text{std::wstring_view(content.text)};
    if (text.GetForm() == PuzzleExchange::kNoPuzzle) {
        return Told(before,
                    Boxed(BoardAnswer(), BoardAnswer::kError, kPasteCaption,
                          String((std::wstring(L"The text on the clipboard holds no puzzle. ") + kForms).c_str())));
    }
    BoardAnswer answer = Install(text.GetPuzzle(0), kPasteCaption);
    if (answer.repaint) listPath_.clear();
    return Told(before, Answered(answer));
}

BoardAnswer BoardController::CopyRefused() {
    return Boxed(BoardAnswer(), BoardAnswer::kError, kCopyCaption, String(NotText(ClipboardContent::kBusy).c_str()));
}

BoardAnswer BoardController::Copy(PuzzleExchange::Digits digits) const {
    BoardAnswer answer;
    answer.copyText = PuzzleExchange::CopyText(game_.GetState().puzzle, digits);
    return answer;
}

// The givens must keep the rules; nothing happens without a digit of the player's, and
// a screen reader hears so.
BoardAnswer BoardController::MakeGivens() {
    EnneoPuzzle givens = game_.GetState().puzzle;
    bool anySet = false;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            if (givens.GetCellState(x, y) != EnneoPuzzle::CELL_SET) continue;
            givens.RestoreCell(x, y, givens.GetCell(x, y), EnneoPuzzle::CELL_KNOWN);
            anySet = true;
        }
    }
    if (!anySet) return Announced(BoardAnswer(), String(L"The board holds no digit of yours to make a given."));
    PuzzleCheck check(givens);
    if (!check.MayLoad()) {
        return Boxed(BoardAnswer(), BoardAnswer::kError, kMakeGivensCaption, String(check.GetSentence().c_str()));
    }
    game_.MakeGivens();
    if (check.GetSentence().empty()) return Shown();
    return Boxed(Shown(), BoardAnswer::kInformation, kMakeGivensCaption, String(check.GetSentence().c_str()));
}

BoardAnswer BoardController::Remembered(BoardAnswer answer, const std::wstring& path) {
    recentFiles_.Put(path);
    answer.menu = true;
    answer.recentFile = path;
    return answer;
}

std::optional<BoardController::ListPlace> BoardController::GetListPlace() const {
    if (listPath_.empty()) return std::nullopt;
    return listPlace_;
}

BoardAnswer BoardController::Save(const wchar_t* path, FileType type) {
    bool saved = false;
    if (type == kGameFile) {
        std::string text = GameFile::Write(game_);
        saved = util::SafeSave(ToFilePath(path), text.data(), text.size());
    } else {
        // Save prints into the puzzle's own buffer: a copy leaves the game's board untouched.
        EnneoPuzzle board = game_.GetState().puzzle;
        saved = board.Save(path);
    }
    if (!saved) return FileError(L"Your enneo has died.\nError saving Enneo to file.");
    return Remembered(BoardAnswer(), path);
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
    case BoardCommand::kNextPuzzle: return !listPath_.empty();
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
