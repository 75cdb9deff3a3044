// BoardMenu: the board menu's items that run board commands, and their states.
#include "BoardMenu.h"

#include "resources/resource.h"

namespace {

using Command = BoardCommand;

struct Item {
    WPARAM id;
    Command command;
    bool checkMark;  // Show Hints, as first designed, shows none
};

const Item kItems[] = {
    {ID_MFILE_NEW, Command::Of(Command::kNewEmpty), false},
    {ID_MFILE_NEWPUZZLE_EASY, Command::NewPuzzle(PuzzleGenerator::kEasy), false},
    {ID_MFILE_NEWPUZZLE_MEDIUM, Command::NewPuzzle(PuzzleGenerator::kMedium), false},
    {ID_MFILE_NEWPUZZLE_HARD, Command::NewPuzzle(PuzzleGenerator::kHard), false},
    {ID_EDIT_UNDO, Command::Of(Command::kUndo), false},
    {ID_EDIT_REDO, Command::Of(Command::kRedo), false},
    {ID_OPTIONS_SHOWHINTS, Command::Of(Command::kShowHints), false},
    {ID_OPTIONS_MARKSELECTION, Command::Of(Command::kMarkSelection), true},
    {ID_OPTIONS_RESUMEGAME, Command::Of(Command::kResumeGame), true},
    {ID_OPTIONS_Reset, Command::Of(Command::kReset), false},
    {ID_OPTIONS_Solve, Command::Of(Command::kSolve), false},
    {ID_OPTIONS_HINT, Command::Of(Command::kHint), false},
    {ID_OPTIONS_CHECK, Command::Of(Command::kCheck), false},
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
};

}  // namespace

std::optional<BoardCommand> BoardMenu::CommandOf(WPARAM wParam) {
    for (const Item& item : kItems) {
        if (item.id == wParam) return item.command;
    }
    return std::nullopt;
}

std::optional<WPARAM> BoardMenu::ItemOf(const BoardCommand& command) {
    for (const Item& item : kItems) {
        if (item.command == command) return item.id;
    }
    return std::nullopt;
}

void BoardMenu::Update(HMENU menu, const BoardController& controller) {
    for (const Item& item : kItems) {
        UINT id = static_cast<UINT>(item.id);
        bool available = controller.IsAvailable(item.command.kind);
        EnableMenuItem(menu, id, MF_BYCOMMAND | (available ? MF_ENABLED : MF_GRAYED));
        if (item.checkMark) {
            bool on = controller.IsOn(item.command.kind);
            CheckMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    static_assert(ID_OPTIONS_THEME_DARK == ID_OPTIONS_THEME_LIGHT + BoardTheme::kDark &&
                      ID_OPTIONS_THEME_FOLLOWWINDOWS == ID_OPTIONS_THEME_LIGHT + BoardTheme::kFollowWindows,
                  "the theme items in the order of the choices");
    CheckMenuRadioItem(menu, ID_OPTIONS_THEME_LIGHT, ID_OPTIONS_THEME_FOLLOWWINDOWS,
                       ID_OPTIONS_THEME_LIGHT + controller.GetView().theme, MF_BYCOMMAND);
}
