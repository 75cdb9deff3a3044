// KeyTable: the board's keys and typed characters, and the commands they give.
#pragma once

#include "BoardCommand.h"

#include <cstdint>
#include <optional>

// Two tables of data, looked up first row first: keys pressed (Windows' virtual-key
// codes, as WM_KEYDOWN brings them) with the modifier keys held, and characters typed
// (as WM_CHAR brings them). Ctrl+Alt is AltGr, which types characters on many keyboards,
// so no pencil mark answers to it. Every menu item but About (Alt+/, the window's
// accelerator), New Puzzle's Expert and Extreme and Resume Last Game has a key here
// (Exit's, Alt+F4, is Windows' own), which its item's text shows; the window runs such a
// key as the item. Resume Last Game, a switch that can lose the game, has none, so that
// no stray key turns it off.
class KeyTable {
public:
    // The virtual-key codes the tables name besides letters and digits, which are their
    // capital characters. They are Windows' own, fixed for good; the window checks them.
    enum VirtualKey : unsigned {
        kPause = 0x13,
        kEscape = 0x1B,
        kPageUp = 0x21,
        kPageDown = 0x22,
        kEnd = 0x23,
        kHome = 0x24,
        kLeft = 0x25,
        kUp = 0x26,
        kRight = 0x27,
        kDown = 0x28,
        kInsert = 0x2D,
        kDelete = 0x2E,
        kNumpad0 = 0x60,  // to kNumpad0 + 9
        kF1 = 0x70,       // to kF1 + 11 (F12)
    };

    struct Modifiers {
        bool control;
        bool shift;
        bool alt;
    };

    // The command of a key pressed while the modifiers are held; none for other keys.
    static std::optional<BoardCommand> ForKey(unsigned virtualKey, Modifiers held);
    // The command of a typed character, its code whole as WM_CHAR brings it; none for
    // other characters. Only ASCII characters give commands: a letter of another script
    // does nothing, whatever the low byte of its code.
    static std::optional<BoardCommand> ForCharacter(uint64_t code);
};
