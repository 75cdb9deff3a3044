// BoardMenu: the board menu's items that run board commands, and their states.
#pragma once

#include "board/BoardSnapshot.h"

#include <windows.h>

#include <optional>
#include <string>

// One table of the menu items and their commands, by the items' command identifiers
// (resources/resource.h); the board controller runs most, the window the others (the
// files, the side windows, the update check, Exit) itself. An item whose command cannot
// do anything now is greyed, an item of a switch that shows a check mark is checked
// while the switch is on, and the theme chosen carries the radio mark. File's recent
// files are numbered items that the menu gains and loses as the list changes.
class BoardMenu {
public:
    // menu: the window's, as loaded from the resource and not yet changed; it lives as
    // long as this object.
    explicit BoardMenu(HMENU menu);

    // The command of a WM_COMMAND whose wParam, compared whole, is an item's identifier:
    // an accelerator's or a control's notification (a high word not 0) matches none.
    static std::optional<BoardCommand> CommandOf(WPARAM wParam);
    // Greys and checks the items as the board asks, shows the list's place in Next
    // Puzzle in File and lists the recent files.
    void Update(const BoardSnapshot& board) const;

private:
    // The item of the next puzzle of a list names the puzzle on the board, in the
    // resource's text.
    void ShowListPlace(const BoardSnapshot& board) const;

    HMENU menu_;
    std::wstring nextPuzzle_;  // the resource's text of Next Puzzle in File
};
