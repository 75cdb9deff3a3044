// Tests of the key table: which keys and characters give which board commands.
#include "board/KeyTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Command = BoardCommand;

const KeyTable::Modifiers kNone = {false, false, false};
const KeyTable::Modifiers kCtrl = {true, false, false};
const KeyTable::Modifiers kCtrlShift = {true, true, false};
const KeyTable::Modifiers kShift = {false, true, false};
const KeyTable::Modifiers kAltGr = {true, false, true};

// Undo and redo want Ctrl, Print Ctrl alone; the marks and the clipboard want Ctrl
// without Alt (Ctrl+Alt is AltGr, which types characters), the pencil mode's P neither;
// the arrows, Home, End, Page Up, Page Down, Delete and the pause keys take any
// modifiers; the menu items' keys want theirs exactly.
TEST(KeyTableTest, KeysGiveTheirCommandsWithTheirModifiersOnly) {
    struct Case {
        unsigned key;
        KeyTable::Modifiers held;
        std::optional<Command> command;
    };
    const Case cases[] = {
        {'Z', kCtrl, Command::Of(Command::kUndo)},
        {'Z', kCtrlShift, Command::Of(Command::kRedo)},
        {'Y', kCtrl, Command::Of(Command::kRedo)},
        {'Y', kCtrlShift, Command::Of(Command::kRedo)},
        {'Z', kNone, std::nullopt},
        {'Y', kShift, std::nullopt},
        {'P', kCtrl, Command::Of(Command::kPrint)},
        {'P', kCtrlShift, Command::Of(Command::kPrintNewPuzzles)},
        {'P', kNone, Command::Of(Command::kPencilMode)},
        {'1', kCtrl, Command::Mark(1)},
        {'9', kCtrlShift, Command::Mark(9)},
        {'0', kCtrl, Command::Mark(0)},
        {KeyTable::kNumpad0 + 5, kCtrl, Command::Mark(5)},
        {KeyTable::kNumpad0, kCtrl, Command::Mark(0)},
        {'7', kAltGr, std::nullopt},
        {KeyTable::kNumpad0 + 7, kAltGr, std::nullopt},
        {'7', kNone, std::nullopt},  // typed digits come as characters
        {'/', kCtrl, std::nullopt},  // the key before '0'
        {':', kCtrl, std::nullopt},  // and after '9'
        {KeyTable::kLeft, kNone, Command::Move(-1, 0)},
        {KeyTable::kRight, kCtrlShift, Command::Move(1, 0)},
        {KeyTable::kUp, kShift, Command::Move(0, -1)},
        {KeyTable::kDown, kAltGr, Command::Move(0, 1)},
        {KeyTable::kHome, kNone, Command::Move(-8, 0)},
        {KeyTable::kEnd, kShift, Command::Move(8, 0)},
        {KeyTable::kPageUp, kCtrl, Command::Move(0, -8)},
        {KeyTable::kPageDown, kNone, Command::Move(0, 8)},
        {KeyTable::kDelete, kNone, Command::Digit(0)},
        {'P', kShift, Command::Of(Command::kPencilMode)},
        {'P', kAltGr, std::nullopt},
        {KeyTable::kEscape, kNone, Command::Of(Command::kPause)},
        {KeyTable::kPause, kCtrl, Command::Of(Command::kPause)},
        {'A', kCtrl, std::nullopt},
        {'C', kCtrl, Command::Of(Command::kCopyPuzzle)},
        {KeyTable::kInsert, kCtrl, Command::Of(Command::kCopyPuzzle)},
        {'C', kCtrlShift, Command::Of(Command::kCopyBoard)},
        {'V', kCtrl, Command::Of(Command::kPaste)},
        {KeyTable::kInsert, kShift, Command::Of(Command::kPaste)},
        {'V', kAltGr, std::nullopt},
        {KeyTable::kInsert, kNone, std::nullopt},
        {'G', kCtrl, Command::Of(Command::kMakeGivens)},
        {'N', kCtrlShift, Command::Of(Command::kNextPuzzle)},
        // Menu items' keys: Ctrl with a letter, Ctrl+Shift with another, or a function key alone.
        {'L', kCtrl, Command::Of(Command::kShowLog)},
        {'L', kCtrlShift, Command::Theme(BoardTheme::kLight)},
        {'D', kCtrl, std::nullopt},
        {KeyTable::kF1 + 1, kNone, Command::NewPuzzle(PuzzleLevel::kEasy)},
        {KeyTable::kF1 + 1, kCtrl, std::nullopt},
        {KeyTable::kF1 + 7, kNone, std::nullopt},  // Resume Last Game, which can lose the game, has no key
        {KeyTable::kF1, kNone, Command::Of(Command::kHelp)},  // Windows' key for a program's help
        {KeyTable::kF1, kShift, std::nullopt},
        {'H', kCtrl, std::nullopt},  // it types a Backspace as well
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + (c.held.control ? " ctrl" : "") + (c.held.shift ? " shift" : "") +
                     (c.held.alt ? " alt" : ""));
        EXPECT_EQ(c.command, KeyTable::ForKey(c.key, c.held));
    }
}

// Characters outside ASCII give nothing, whatever their low byte: Cyrillic "п" (0x43F)
// and "и" (0x438) are no '?' and no '8'.
TEST(KeyTableTest, CharactersPlaceOrEmptyAndQuestionMarkIsHint) {
    for (int digit = 0; digit <= 9; ++digit) {
        EXPECT_EQ(Command::Digit(digit), KeyTable::ForCharacter(static_cast<wchar_t>(L'0' + digit)));
    }
    EXPECT_EQ(Command::Digit(0), KeyTable::ForCharacter(L'\b'));
    EXPECT_EQ(Command::Digit(0), KeyTable::ForCharacter(L' '));
    EXPECT_EQ(Command::Of(Command::kHint), KeyTable::ForCharacter(L'?'));
    EXPECT_EQ(Command::Of(Command::kCheck), KeyTable::ForCharacter(L'!'));
    for (uint64_t other : {0x2Fu, 0x3Au, 0x78u, 0x0Du, 0u, 0x43Fu, 0x438u, 0x130u, 0xFF10u}) {
        EXPECT_EQ(std::nullopt, KeyTable::ForCharacter(other)) << std::hex << other;
    }
}

}  // namespace
