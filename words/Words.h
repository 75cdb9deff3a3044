// Words: every message of the board and the puzzle engine in the player's sentences.
#pragma once

#include "board/BoardView.h"
#include "common/String.h"
#include "puzzle/FileFormats.h"
#include "puzzle/GameState.h"
#include "puzzle/Message.h"

#include <string>
#include <vector>

// The one place where the program's answers become text: each message identifier has
// its sentence here, with positional places ("{1}", "{2}") for its values and, where a
// number decides the form, a singular and a plural, so that a language is one table.
// The English sentences are the program's own, word for word.
class Words {
public:
    // The message and the sentences that follow it; empty for Message::kNone.
    static String Say(const Message& message);
    // What a sighted player sees of a cell, in one line, as a screen reader reads it:
    // "Row 3, column 5, 7, given", "Row 3, column 6, empty, marks 2 5", ...
    static String CellName(const GameState& state, const BoardView& view, EnneoPuzzle::Cell cell);
    // The file types as the file dialogs take them: each name and its patterns ended by
    // a zero; the zero of the string's end ends the list.
    static std::wstring FileFilter(const std::vector<FileFormats::Type>& types);
};
