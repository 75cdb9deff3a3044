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
    {ID_EDIT_UNDOTOCORRECT, Command::Of(Command::kUndoToCorrect), false},
    {ID_EDIT_FILLCANDIDATES, Command::Of(Command::kFillInCandidates), false},
    {ID_EDIT_CLEARMARKS, Command::Of(Command::kClearAllMarks), false},
    {ID_EDIT_PENCILMODE, Command::Of(Command::kPencilMode), true},
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
};

}  // namespace

std::optional<BoardCommand> BoardMenu::CommandOf(WPARAM wParam) {
    for (const Item& item : kItems) {
        if (item.id == wParam) return item.command;
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
}
