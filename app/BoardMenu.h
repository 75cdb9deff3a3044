// BoardMenu: the board menu's items that run board commands, and their states.
#pragma once

#include "board/BoardController.h"

#include <windows.h>

#include <optional>

// One table of the menu items and their commands, by the items' command identifiers
// (resources/resource.h); the board controller runs most, the window the others (the
// files, the side windows, the update check, Exit) itself. An item whose command cannot
// do anything now is greyed, an item of a switch that shows a check mark is checked
// while the switch is on, and the theme chosen carries the radio mark. File's recent
// files are numbered items that the menu gains and loses as the list changes.
class BoardMenu {
public:
    // The command of a WM_COMMAND whose wParam, compared whole, is an item's identifier:
    // an accelerator's or a control's notification (a high word not 0) matches none.
    static std::optional<BoardCommand> CommandOf(WPARAM wParam);
    // The identifier of the item that runs command, if one does: a key of the item runs
    // as the item.
    static std::optional<WPARAM> ItemOf(const BoardCommand& command);
    // Greys and checks the items of menu as the controller's state asks.
    static void Update(HMENU menu, const BoardController& controller);
};
