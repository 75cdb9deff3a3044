// KeyTable: the board's keys and typed characters, and the commands they give.
#include "KeyTable.h"

namespace {

using Command = BoardCommand;

// A move of the selection by the board's width less one, which stops at the board's edge
// from any cell: Home, End, Page Up and Page Down go to the ends of the row or column.
constexpr int kAcross = 8;

// Whether a row asks a modifier key to be held, not to be held, or does not care.
enum Held { kNo, kYes, kAny };

bool Matches(Held rule, bool held) { return rule == kAny || (rule == kYes) == held; }

// A row answers to count keys from key on; a row of more than one key gives its
// command with the digit raised by the key's distance from the first.
struct KeyRow {
    unsigned key;
    unsigned count;
    Held control;
    Held shift;
    Held alt;
    Command command;
};

constexpr KeyRow kKeys[] = {
    {'Z', 1, kYes, kNo, kAny, Command::Of(Command::kUndo)},
    {'Z', 1, kYes, kYes, kAny, Command::Of(Command::kRedo)},
    {'Y', 1, kYes, kAny, kAny, Command::Of(Command::kRedo)},
    {'P', 1, kYes, kNo, kNo, Command::Of(Command::kPrint)},
    {'P', 1, kNo, kAny, kNo, Command::Of(Command::kPencilMode)},
    {KeyTable::kEscape, 1, kAny, kAny, kAny, Command::Of(Command::kPause)},
    {KeyTable::kPause, 1, kAny, kAny, kAny, Command::Of(Command::kPause)},
    // The clipboard, with Windows' older keys beside the usual ones; not under AltGr.
    {'C', 1, kYes, kNo, kNo, Command::Of(Command::kCopyPuzzle)},
    {KeyTable::kInsert, 1, kYes, kNo, kNo, Command::Of(Command::kCopyPuzzle)},
    {'C', 1, kYes, kYes, kNo, Command::Of(Command::kCopyBoard)},
    {'V', 1, kYes, kNo, kNo, Command::Of(Command::kPaste)},
    {KeyTable::kInsert, 1, kNo, kYes, kNo, Command::Of(Command::kPaste)},
    {'G', 1, kYes, kNo, kNo, Command::Of(Command::kMakeGivens)},
    {'N', 1, kYes, kYes, kNo, Command::Of(Command::kNextPuzzle)},
    // Ctrl+1 to Ctrl+9 toggle a pencil mark, Ctrl+0 clears the marks; main row or keypad.
    {'0', 10, kYes, kAny, kNo, Command::Mark(0)},
    {KeyTable::kNumpad0, 10, kYes, kAny, kNo, Command::Mark(0)},
    {KeyTable::kLeft, 1, kAny, kAny, kAny, Command::Move(-1, 0)},
    {KeyTable::kRight, 1, kAny, kAny, kAny, Command::Move(1, 0)},
    {KeyTable::kUp, 1, kAny, kAny, kAny, Command::Move(0, -1)},
    {KeyTable::kDown, 1, kAny, kAny, kAny, Command::Move(0, 1)},
    {KeyTable::kHome, 1, kAny, kAny, kAny, Command::Move(-kAcross, 0)},
    {KeyTable::kEnd, 1, kAny, kAny, kAny, Command::Move(kAcross, 0)},
    {KeyTable::kPageUp, 1, kAny, kAny, kAny, Command::Move(0, -kAcross)},
    {KeyTable::kPageDown, 1, kAny, kAny, kAny, Command::Move(0, kAcross)},
    {KeyTable::kDelete, 1, kAny, kAny, kAny, Command::Digit(0)},
    // The menu items' keys. No Ctrl+H: it also types a Backspace, which empties a cell.
    {'N', 1, kYes, kNo, kNo, Command::Of(Command::kNewEmpty)},
    {KeyTable::kF1 + 1, 1, kNo, kNo, kNo, Command::NewPuzzle(PuzzleLevel::kEasy)},
    {KeyTable::kF1 + 2, 1, kNo, kNo, kNo, Command::NewPuzzle(PuzzleLevel::kMedium)},
    {KeyTable::kF1 + 3, 1, kNo, kNo, kNo, Command::NewPuzzle(PuzzleLevel::kHard)},
    {'O', 1, kYes, kNo, kNo, Command::Of(Command::kOpen)},
    {'S', 1, kYes, kNo, kNo, Command::Of(Command::kSave)},
    {'P', 1, kYes, kYes, kNo, Command::Of(Command::kPrintNewPuzzles)},
    {KeyTable::kF1 + 5, 1, kNo, kNo, kNo, Command::Of(Command::kShowHints)},
    {KeyTable::kF1 + 6, 1, kNo, kNo, kNo, Command::Of(Command::kMarkSelection)},
    {'B', 1, kYes, kNo, kNo, Command::Of(Command::kUndoToCorrect)},
    {'F', 1, kYes, kNo, kNo, Command::Of(Command::kFillInCandidates)},
    {'E', 1, kYes, kNo, kNo, Command::Of(Command::kClearAllMarks)},
    {'T', 1, kYes, kNo, kNo, Command::Of(Command::kShowTimer)},
    {'T', 1, kYes, kYes, kNo, Command::Of(Command::kStatistics)},
    {'R', 1, kYes, kNo, kNo, Command::Of(Command::kReset)},
    {KeyTable::kF1 + 8, 1, kNo, kNo, kNo, Command::Of(Command::kSolve)},
    {'L', 1, kYes, kNo, kNo, Command::Of(Command::kShowLog)},
    {'L', 1, kYes, kYes, kNo, Command::Theme(BoardTheme::kLight)},
    {'D', 1, kYes, kYes, kNo, Command::Theme(BoardTheme::kDark)},
    {'W', 1, kYes, kYes, kNo, Command::Theme(BoardTheme::kFollowWindows)},
    {'U', 1, kYes, kNo, kNo, Command::Of(Command::kCheckForUpdates)},
    {KeyTable::kF1, 1, kNo, kNo, kNo, Command::Of(Command::kHelp)},
};

// The same for characters: count characters from character on.
struct CharacterRow {
    wchar_t character;
    unsigned count;
    Command command;
};

constexpr CharacterRow kCharacters[] = {
    {L'0', 10, Command::Digit(0)},  // '0' empties the cell
    {L'\b', 1, Command::Digit(0)},
    {L' ', 1, Command::Digit(0)},
    {L'?', 1, Command::Of(Command::kHint)},
    {L'!', 1, Command::Of(Command::kCheck)},
};

// Each key with its modifiers, and each character, gives one command at most: the rows
// of a table share no key (or character) that the modifier rules of both let through.
constexpr bool Overlap(Held a, Held b) { return a == kAny || b == kAny || a == b; }

constexpr bool Overlap(unsigned first, unsigned count, unsigned otherFirst, unsigned otherCount) {
    return first < otherFirst + otherCount && otherFirst < first + count;
}

constexpr bool NoKeyTwice() {
    for (const KeyRow& a : kKeys) {
        for (const KeyRow& b : kKeys) {
            if (&a != &b && Overlap(a.key, a.count, b.key, b.count) && Overlap(a.control, b.control) &&
                Overlap(a.shift, b.shift) && Overlap(a.alt, b.alt)) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool NoCharacterTwice() {
    for (const CharacterRow& a : kCharacters) {
        for (const CharacterRow& b : kCharacters) {
            if (&a != &b && Overlap(a.character, a.count, b.character, b.count)) return false;
        }
    }
    return true;
}

static_assert(NoKeyTwice() && NoCharacterTwice(), "a key or a character that gives two commands");

Command Raised(Command command, unsigned by) {
    command.digit += static_cast<int>(by);
    return command;
}

}  // namespace

// The distances are unsigned: a key or character before a row's first lies far beyond it.
std::optional<BoardCommand> KeyTable::ForKey(unsigned virtualKey, Modifiers held) {
    for (const KeyRow& row : kKeys) {
        if (virtualKey - row.key < row.count && Matches(row.control, held.control) && Matches(row.shift, held.shift) &&
            Matches(row.alt, held.alt)) {
            return Raised(row.command, virtualKey - row.key);
        }
    }
    return std::nullopt;
}

std::optional<BoardCommand> KeyTable::ForCharacter(uint64_t code) {
    for (const CharacterRow& row : kCharacters) {
        uint64_t distance = code - static_cast<uint64_t>(row.character);
        if (distance < row.count) return Raised(row.command, static_cast<unsigned>(distance));
    }
    return std::nullopt;
}
