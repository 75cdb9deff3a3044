// BoardMenu: the board menu's items that run board commands, and their states.
#include "BoardMenu.h"

#include "board/intake/PuzzleIntake.h"  // kRecentFiles: the items kept for the recent files
#include "words/Words.h"
#include "resources/resource.h"

#include <algorithm>
#include <string>

namespace {

using Command = BoardCommand;

struct Item {
    WPARAM id;
    Command command;
    bool checkMark;  // Show Hints, as first designed, shows none
};

const Item kItems[] = {
    {ID_MFILE_NEW, Command::Of(Command::kNewEmpty), false},
    {ID_MFILE_NEWPUZZLE_EASY, Command::NewPuzzle(PuzzleLevel::kEasy), false},
    {ID_MFILE_NEWPUZZLE_MEDIUM, Command::NewPuzzle(PuzzleLevel::kMedium), false},
    {ID_MFILE_NEWPUZZLE_HARD, Command::NewPuzzle(PuzzleLevel::kHard), false},
    {ID_MFILE_NEWPUZZLE_EXPERT, Command::NewPuzzle(PuzzleLevel::kExpert), false},
    {ID_MFILE_NEWPUZZLE_EXTREME, Command::NewPuzzle(PuzzleLevel::kExtreme), false},
    {ID_EDIT_UNDO, Command::Of(Command::kUndo), false},
    {ID_EDIT_REDO, Command::Of(Command::kRedo), false},
    {ID_EDIT_UNDOTOCORRECT, Command::Of(Command::kUndoToCorrect), false},
    {ID_EDIT_FILLCANDIDATES, Command::Of(Command::kFillInCandidates), false},
    {ID_EDIT_CLEARMARKS, Command::Of(Command::kClearAllMarks), false},
    {ID_EDIT_PENCILMODE, Command::Of(Command::kPencilMode), true},
    {ID_EDIT_COPYPUZZLE, Command::Of(Command::kCopyPuzzle), false},
    {ID_EDIT_COPYBOARD, Command::Of(Command::kCopyBoard), false},
    {ID_EDIT_PASTEPUZZLE, Command::Of(Command::kPaste), false},
    {ID_EDIT_MAKEGIVENS, Command::Of(Command::kMakeGivens), false},
    {ID_MFILE_NEXTPUZZLE, Command::Of(Command::kNextPuzzle), false},
    {ID_OPTIONS_SHOWHINTS, Command::Of(Command::kShowHints), false},
    {ID_OPTIONS_MARKSELECTION, Command::Of(Command::kMarkSelection), true},
    {ID_OPTIONS_SHOWTIMER, Command::Of(Command::kShowTimer), true},
    {ID_OPTIONS_RESUMEGAME, Command::Of(Command::kResumeGame), true},
    {ID_OPTIONS_Reset, Command::Of(Command::kReset), false},
    {ID_OPTIONS_Solve, Command::Of(Command::kSolve), false},
    {ID_OPTIONS_HINT, Command::Of(Command::kHint), false},
    {ID_OPTIONS_CHECK, Command::Of(Command::kCheck), false},
    {ID_OPTIONS_PAUSE, Command::Of(Command::kPause), true},
    {ID_HELP_STATISTICS, Command::Of(Command::kStatistics), false},
    {ID_OPTIONS_THEME_LIGHT, Command::Theme(BoardTheme::kLight), false},
    {ID_OPTIONS_THEME_DARK, Command::Theme(BoardTheme::kDark), false},
    {ID_OPTIONS_THEME_FOLLOWWINDOWS, Command::Theme(BoardTheme::kFollowWindows), false},
    {ID_MFILE_OPEN, Command::Of(Command::kOpen), false},
    {ID_MFILE_Save, Command::Of(Command::kSave), false},
    {ID_MFILE_PRINT, Command::Of(Command::kPrint), false},
    {ID_MFILE_PRINTNEWPUZZLES, Command::Of(Command::kPrintNewPuzzles), false},
    {ID_MFILE_EXIT, Command::Of(Command::kExit), false},
    {ID_OPTIONS_SHOWLOG, Command::Of(Command::kShowLog), false},
    {IDM_CHECKUPDATES, Command::Of(Command::kCheckForUpdates), false},
    {IDM_ABOUT, Command::Of(Command::kAbout), false},
    {IDM_HELP, Command::Of(Command::kHelp), false},
};

static_assert(PuzzleIntake::kRecentFiles <= 9, "a digit of its own for each recent file");

// The name of Next Puzzle in File while a list is open: "Next Puzzle in &File (now 3 of 7)".
std::wstring WithListPlace(const std::wstring& name, const ListPlace& place) {
    using V = Message::Value;
    Message named(Message::kListPlace, {V::Text(name), V::Number(static_cast<int64_t>(place.number)),
                                        V::Number(static_cast<int64_t>(place.count))});
    return Words::Say(named).GetText();
}

// The recent files as numbered items before Exit, with a separator after them; none
// without a recent file.
void ShowRecentFiles(HMENU menu, const BoardSnapshot& board) {
    DeleteMenu(menu, ID_MFILE_RECENT_SEPARATOR, MF_BYCOMMAND);
    for (UINT id = ID_MFILE_RECENT_FIRST; id < ID_MFILE_RECENT_FIRST + PuzzleIntake::kRecentFiles; ++id) {
        DeleteMenu(menu, id, MF_BYCOMMAND);
    }
    const auto& files = board.recentFiles;
    for (size_t i = 0; i < files.size(); ++i) {
        std::wstring text = RememberedFiles::MenuText(i, files[i].path);
        InsertMenuW(menu, ID_MFILE_EXIT, MF_BYCOMMAND | MF_STRING, ID_MFILE_RECENT_FIRST + i, text.c_str());
    }
    if (files.empty()) return;
    MENUITEMINFOW separator = {};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE | MIIM_ID;
    separator.fType = MFT_SEPARATOR;
    separator.wID = ID_MFILE_RECENT_SEPARATOR;
    InsertMenuItemW(menu, ID_MFILE_EXIT, FALSE, &separator);
}

}  // namespace

BoardMenu::BoardMenu(HMENU menu) : menu_(menu) {
    int length = GetMenuStringW(menu, ID_MFILE_NEXTPUZZLE, nullptr, 0, MF_BYCOMMAND);
    nextPuzzle_.resize(length);
    GetMenuStringW(menu, ID_MFILE_NEXTPUZZLE, &nextPuzzle_[0], length + 1, MF_BYCOMMAND);
}

std::optional<BoardCommand> BoardMenu::CommandOf(WPARAM wParam) {
    for (const Item& item : kItems) {
        if (item.id == wParam) return item.command;
    }
    if (wParam >= ID_MFILE_RECENT_FIRST && wParam < ID_MFILE_RECENT_FIRST + PuzzleIntake::kRecentFiles) {
        return Command::OpenRecent(static_cast<int>(wParam - ID_MFILE_RECENT_FIRST));
    }
    return std::nullopt;
}

void BoardMenu::Update(const BoardSnapshot& board) const {
    for (const Item& item : kItems) {
        UINT id = static_cast<UINT>(item.id);
        EnableMenuItem(menu_, id, MF_BYCOMMAND | (board.IsAvailable(item.command.kind) ? MF_ENABLED : MF_GRAYED));
        if (item.checkMark) {
            CheckMenuItem(menu_, id, MF_BYCOMMAND | (board.IsOn(item.command.kind) ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    static_assert(ID_OPTIONS_THEME_DARK == ID_OPTIONS_THEME_LIGHT + BoardTheme::kDark &&
                      ID_OPTIONS_THEME_FOLLOWWINDOWS == ID_OPTIONS_THEME_LIGHT + BoardTheme::kFollowWindows,
                  "the theme items in the order of the choices");
    CheckMenuRadioItem(menu_, ID_OPTIONS_THEME_LIGHT, ID_OPTIONS_THEME_FOLLOWWINDOWS,
                       ID_OPTIONS_THEME_LIGHT + board.view.theme, MF_BYCOMMAND);
    ShowListPlace(board);
    ShowRecentFiles(menu_, board);
}

void BoardMenu::ShowListPlace(const BoardSnapshot& board) const {
    std::wstring text = nextPuzzle_;
    if (board.listPlace) {
        size_t tab = std::min(text.find(L'\t'), text.size());  // the key follows the name
        text = WithListPlace(text.substr(0, tab), *board.listPlace) + text.substr(tab);
    }
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;  // the text alone: the item stays greyed or not
    item.dwTypeData = &text[0];
    SetMenuItemInfoW(menu_, ID_MFILE_NEXTPUZZLE, FALSE, &item);
}
