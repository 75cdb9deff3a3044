// BoardMenu: the board menu, made in the language spoken, its commands and their states.
#pragma once

#include "board/BoardSnapshot.h"

#include <windows.h>

#include <optional>
#include <string>

// One table describes the menu: its pop-ups, items, separators, the items' command
// identifiers (resources/resource.h), the keys they show and their commands, which the
// board controller runs, most of them, or the window (the files, the side windows, the
// update check, Exit). The menu is made from it in the language spoken when it is made:
// its texts are the catalogue's, its keys named by the catalogue's key names, while the
// keys themselves are the same in every language; a new language needs a new menu. An
// item whose command cannot do anything now is greyed, an item of a switch that shows a
// check mark is checked while the switch is on, and the theme and the language chosen
// carry the radio mark. File's recent files are numbered items that the menu gains and
// loses as the list changes.
class BoardMenu {
public:
    // Makes the menu; the window it is attached to (Window::ReplaceMenu) owns it.
    BoardMenu();

    HMENU GetHandle() const { return menu_; }
    // The command of a WM_COMMAND whose wParam, compared whole, is an item's identifier:
    // an accelerator's or a control's notification (a high word not 0) matches none.
    static std::optional<BoardCommand> CommandOf(WPARAM wParam);
    // Greys and checks the items as the board asks, shows the list's place in Next
    // Puzzle in File and lists the recent files.
    void Update(const BoardSnapshot& board) const;

private:
    // The item of the next puzzle of a list names the puzzle on the board, in the item's
    // own text.
    void ShowListPlace(const BoardSnapshot& board) const;

    HMENU menu_;
    std::wstring nextPuzzle_;  // the text of Next Puzzle in File as made
};
