// BoardController: runs the player's commands on the game and says what they changed.
#include "BoardController.h"

#include "BoardSpeech.h"
#include "CoachSentences.h"
#include "StatisticsSentences.h"
#include "common/FilePath.h"
#include "common/util/SafeSave.h"
#include "puzzle/Coach.h"
#include "puzzle/GameFile.h"
#include "puzzle/PuzzleCheck.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>
#include <utility>

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

// The sentences of the messages of the puzzle check, the game file and the keeper, until
// the words layer says them.
std::wstring Said(const Message& message) {
    static const wchar_t* const kCountWords[] = {L"",     L"",    L"two",   L"three", L"four",
                                                 L"five", L"six", L"seven", L"eight", L"nine"};
    static const wchar_t* const kBlockNames[] = {
        L"the top left block",    L"the top middle block",    L"the top right block",
        L"the middle left block", L"the centre block",        L"the middle right block",
        L"the bottom left block", L"the bottom middle block", L"the bottom right block",
    };
    auto number = [&](size_t i) { return std::to_wstring(message.values[i].number); };
    auto quoted = [&](size_t i) { return L"\"" + message.values[i].text + L"\""; };
    std::wstring text;
    switch (message.id) {
    case Message::kPuzzleClash: {
        int unit = static_cast<int>(message.values[0].number);
        std::wstring name =
            unit >= 18 ? kBlockNames[unit - 18] : (unit < 9 ? L"row " : L"column ") + std::to_wstring(unit % 9 + 1);
        text = L"This puzzle breaks the rules: " + name + L" holds " + kCountWords[message.values[1].number] + L" " +
               number(2) + L"s.";
        break;
    }
    case Message::kPuzzleNoSolution: text = L"This puzzle has no solution."; break;
    case Message::kPuzzleSeveralSolutions: text = L"This puzzle has more than one solution."; break;
    case Message::kGameNotReadable: text = L"The game file could not be read."; break;
    case Message::kNotAGame: text = L"The file is not an Enneo Tessary game."; break;
    case Message::kGameTooLarge:
        text = L"The game file is larger than any game can be (" + number(0) + L" MB), so it was not read.";
        break;
    case Message::kGameDamaged:
        text = L"The game file is damaged at line " + number(0) + L", so no game was taken from it.";
        break;
    case Message::kGameBreaksRules:
        text = L"The game file's board repeats a digit in a row, a column or a block, so no game was taken from it.";
        break;
    case Message::kGameFromBackup:
        text =
            L"The game file was missing or damaged, so the game was taken from its backup, which may be a moment "
            L"older.";
        break;
    case Message::kHistoryDropped:
        text = L"The game's board was kept, but its undo history was damaged at line " + number(0) +
               L" and has been dropped.";
        break;
    case Message::kGameOfNewerVersion:
        text = L"The game was saved by a newer version of Enneo Tessary (game format " + message.values[0].text +
               L"), which this one cannot open.";
        break;
    case Message::kGameSetAside: text = L"The file was kept as " + quoted(0) + L"."; break;
    case Message::kNotKeptNoFolder:
        text = L"The game could not be kept: the folder " + quoted(0) + L" could not be made.";
        break;
    case Message::kNotKeptNoNewFile:
        text = L"The game could not be kept: no new file could be made in the folder " + quoted(0) +
               L" (it may be read-only).";
        break;
    case Message::kNotKeptNotWhole:
        text = L"The game could not be kept: a new file in the folder " + quoted(0) +
               L" could not be written whole (the disk may be full).";
        break;
    case Message::kNotKeptNotReplaced:
        text = L"The game could not be kept: the file " + quoted(0) +
               L" could not be replaced (it may be read-only or open in another program).";
        break;
    case Message::kPlayGoesOn:
        text = L"Play goes on, and the game is written again with the next change, without another word.";
        break;
    default: break;
    }
    for (const Message& next : message.more) {
        text += next.join == Message::kBlank ? L" " : next.join == Message::kLine ? L"\n" : L"\n\n";
        text += Said(next);
    }
    return text;
}

const wchar_t kNoSelection[] = L"No cell is selected: an arrow key selects one.";
const wchar_t kPausedRefusal[] = L"The game is paused. Escape goes on.";

// What the window tells of itself, which the board does not show.
bool FromTheWindow(BoardCommand::Kind kind) {
    return kind == BoardCommand::kWindowActive || kind == BoardCommand::kWindowMinimized ||
           kind == BoardCommand::kSessionLocked || kind == BoardCommand::kTick;
}

bool SameCell(EnneoPuzzle::Cell a, EnneoPuzzle::Cell b) { return a.x == b.x && a.y == b.y; }

// answer with a sentence for a screen reader to speak.
BoardAnswer Announced(BoardAnswer answer, const String& sentence) {
    answer.reader.announcement = sentence;
    return answer;
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
      keepGame_(settings_.IsOn(BoardSettings::kResumeGame)),
      recentFiles_(properties, kRecentFilesSection, kRecentFiles),
      listPlaces_(properties, kListPlacesSection, kListPlaces) {
    view_.markSelection = settings_.IsOn(BoardSettings::kMarkSelection);
    view_.theme = static_cast<BoardTheme::Choice>(settings_.Get(BoardSettings::kTheme));
}

BoardAnswer BoardController::Execute(const BoardCommand& command) {
    // What the window tells of itself changes nothing that a screen reader reads, and
    // leaves the last announcement as it was.
    if (FromTheWindow(command.kind)) return Answered(Run(command));
    Heard before = Hear();
    BoardAnswer answer;
    if (!view_.paused || RunsWhilePaused(command.kind)) {
        answer = Run(command);
    } else if (command.kind == BoardCommand::kSelectCell) {
        // A click on the picture of the pause goes on; nothing else reaches the board.
        answer = Run(BoardCommand::Of(BoardCommand::kPause));
    } else {
        answer = Announced(BoardAnswer(), String(kPausedRefusal));
    }
    return Told(before, Answered(answer));
}

BoardController::Heard BoardController::Hear() const {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    EnneoPuzzle::Cell selected = board.GetSelectedCell();
    int digit = selected.x == 0 ? 0 : board.GetCell(selected.x, selected.y);
    return {selected,        digit, game_.GetChangeCount(), view_.showHints, view_.paused, view_.misfits,
            view_.hinted};
}

// The selected cell is the reader's focus, spoken again when the pause ends. Every
// cell's name holds its digits, marks, candidates, what Hint and Check found and
// whether the pause hides it, so a change of any of these renames cells.
BoardAnswer BoardController::Told(const Heard& before, BoardAnswer answer) {
    Heard now = Hear();
    BoardAnswer::Reader& reader = answer.reader;
    bool sameCell = SameCell(now.selected, before.selected);
    bool resumed = before.paused && !now.paused;
    reader.focusMoved = (!sameCell || resumed) && now.selected.x != 0;
    reader.valueChanged = sameCell && now.selected.x != 0 && now.digit != before.digit;
    reader.namesChanged = now.changes != before.changes || now.showHints != before.showHints ||
                          now.paused != before.paused || !SameCell(now.hinted, before.hinted) ||
                          !std::equal(now.misfits.begin(), now.misfits.end(), before.misfits.begin(),
                                      before.misfits.end(), SameCell);
    announcement_ = reader.announcement;
    return answer;
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
    case BoardCommand::kPaste:
    case BoardCommand::kNextPuzzle:
    case BoardCommand::kOpenRecent:
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
    case BoardCommand::kMark: return Mark(command.digit);
    case BoardCommand::kUndo: return ShownIf(game_.Undo());
    case BoardCommand::kRedo: return ShownIf(game_.Redo());
    case BoardCommand::kUndoToCorrect: return UndoToCorrect();
    case BoardCommand::kFillInCandidates:
        assisted_ = true;
        return Announced(ShownIf(game_.FillInCandidates()), String(L"Every empty cell holds its candidates as marks."));
    case BoardCommand::kClearAllMarks:
        if (!game_.ClearAllMarks()) return Announced(BoardAnswer(), String(L"No cell holds marks."));
        return Announced(Shown(), String(L"All marks cleared."));
    case BoardCommand::kHint: return Hint();
    case BoardCommand::kCheck: return Check();
    case BoardCommand::kNewEmpty: listPath_.clear(); return Installed(game_.Replace(EnneoPuzzle()));
    case BoardCommand::kNewPuzzle:
        listPath_.clear();
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
    case BoardCommand::kPencilMode:
        view_.pencilMode = !view_.pencilMode;
        return Announced(MenuShown(), String(view_.pencilMode ? L"Pencil mode on: digits toggle marks."
                                                              : L"Pencil mode off: digits go into cells."));
    case BoardCommand::kShowTimer: return SwitchTimer();
    case BoardCommand::kPause:
        view_.paused = !view_.paused;
        return view_.paused ? Announced(Shown(), String(L"Paused. Escape goes on.")) : Shown();
    case BoardCommand::kWindowActive: windowActive_ = command.digit != 0; return BoardAnswer();
    case BoardCommand::kWindowMinimized: windowMinimized_ = command.digit != 0; return BoardAnswer();
    case BoardCommand::kSessionLocked: sessionLocked_ = command.digit != 0; return BoardAnswer();
    case BoardCommand::kTick: return BoardAnswer();
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
    case BoardCommand::kAbout:
    case BoardCommand::kKindCount: break;
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
    if (view_.pencilMode && digit != 0) return Mark(digit);
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
    if (!IsAvailable(BoardCommand::kUndoToCorrect)) {
        return Announced(BoardAnswer(), String(L"Undo to Last Correct needs a mistake on a puzzle with one solution."));
    }
    assisted_ = true;
    BoardAnswer answer =
        ShownIf(game_.UndoUntil([this](const EnneoPuzzle& board) { return solution_.MisfitsOf(board).empty(); }));
    return Announced(answer, String(L"Back to the last board without a mistake."));
}

// The caption shows the time played, or no longer; a screen reader hears which.
BoardAnswer BoardController::SwitchTimer() {
    showTimer_ = !showTimer_;
    settings_.Set(BoardSettings::kShowTimer, showTimer_);
    String sentence(L"The caption no longer shows the time.");
    if (showTimer_) sentence.Format(L"The caption shows the time played: %s.", TimeText(clock_.GetElapsed() / 1000));
    return Announced(MenuShown(), sentence);
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
        if (!reading->game) return FileError(Said(reading->message).c_str());
        listPath_.clear();
        return Remembered(Installed(game_.Replace(reading->game->GetState()), reading->play), path);
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
        return Remembered(Installed(game_.Replace(text->GetPuzzle(0))), path);
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
    std::wstring sentence = Said(check.GetMessage());
    if (!check.MayLoad()) return Boxed(BoardAnswer(), BoardAnswer::kError, caption, String(sentence.c_str()));
    BoardAnswer answer = Installed(game_.Replace(puzzle));
    if (sentence.empty()) return answer;
    return Boxed(answer, BoardAnswer::kInformation, caption, String(sentence.c_str()));
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
    std::wstring sentence = Said(check.GetMessage());
    if (!check.MayLoad()) {
        return Boxed(BoardAnswer(), BoardAnswer::kError, kMakeGivensCaption, String(sentence.c_str()));
    }
    BoardAnswer answer = Installed(game_.MakeGivens());  // a new puzzle: its game starts now
    if (sentence.empty()) return answer;
    return Boxed(answer, BoardAnswer::kInformation, kMakeGivensCaption, String(sentence.c_str()));
}

BoardAnswer BoardController::Remembered(BoardAnswer answer, const std::wstring& path) {
    recentFiles_.Put(path);
    answer.menu = true;
    answer.recentFile = path;
    return answer;
}

std::optional<ListPlace> BoardController::GetListPlace() const {
    if (listPath_.empty()) return std::nullopt;
    return listPlace_;
}

BoardAnswer BoardController::Save(const wchar_t* path, FileType type) {
    bool saved = false;
    if (type == kGameFile) {
        std::string text = GameFile::Write(game_, Play());
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
        StartGame(reading.play);
        PointAt({}, {0, 0});
        answeredChange_ = notedChange_ = game_.GetChangeCount();
        notedSelection_ = game_.GetState().puzzle.GetSelectedCell();
        notedAssisted_ = assisted_;
        answer = Shown();
        // A game taken from the backup, or without its history, is written again soundly.
        if (!reading.message.IsEmpty()) answer.keep = keeper_.Changed();
        answer = Answered(answer);  // the clock and the caption
    }
    if (reading.message.IsEmpty()) return answer;
    return Boxed(answer, BoardAnswer::kInformation, kResumeCaption, String(Said(reading.message).c_str()));
}

BoardAnswer BoardController::Keep() {
    if (!keepGame_) return BoardAnswer();
    if (clock_.IsRunning()) keeper_.Changed();  // the time has gone on since the last write
    Message failure = keeper_.Keep(game_, Play());
    if (failure.IsEmpty()) return BoardAnswer();
    return Boxed(BoardAnswer(), BoardAnswer::kError, kNotKeptCaption, String(Said(failure).c_str()));
}

bool BoardController::IsAvailable(BoardCommand::Kind kind) const {
    if (view_.paused && !RunsWhilePaused(kind)) return false;
    switch (kind) {
    case BoardCommand::kUndo: return game_.CanUndo();
    case BoardCommand::kRedo: return game_.CanRedo();
    case BoardCommand::kUndoToCorrect:
        return game_.CanUndo() && !solution_.MisfitsOf(game_.GetState().puzzle).empty();  // none without one solution
    case BoardCommand::kNextPuzzle: return !listPath_.empty();
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

BoardSnapshot BoardController::Snapshot() const {
    BoardSnapshot snapshot{game_.GetState(), view_, {}, {}, {}, GetListPlace(), recentFiles_.Get()};
    for (int kind = 0; kind < BoardCommand::kKindCount; ++kind) {
        snapshot.available[kind] = IsAvailable(static_cast<BoardCommand::Kind>(kind));
        snapshot.on[kind] = IsOn(static_cast<BoardCommand::Kind>(kind));
    }
    return snapshot;
}
