// FileFormats: the files Open reads and Save writes, as the file dialogs list their types.
#pragma once

#include "Message.h"

#include <string>
#include <vector>

// One table of the files' forms: each type's name (a message) as the dialogs show it, its
// extensions, and what Save writes in it. Open reads every one of them by its content
// (PuzzleExchange, GameFile), whatever its name; the types only help the player find
// the files.
class FileFormats {
public:
    // What Save writes in a type: nothing (Open alone lists it), the board's puzzle, or
    // the whole game (GameFile).
    enum Saved { kOpenOnly, kPuzzleFile, kGameFile };

    // One entry of a dialog's list of types: its name, in words (Words::FileFilter).
    struct Type {
        Message::Id name;
        std::wstring patterns;  // "*.sdm;*.txt"
    };

    // Save's list: the puzzle files that it writes, then the game files.
    static std::vector<Type> SaveTypes();
    // Open's list: Save's types, then the forms of other programs and puzzle sites,
    // every puzzle file at once and every file.
    static std::vector<Type> OpenTypes();
    // What Save writes for the type chosen at index of its list, counted from 1 as the
    // dialogs count; a puzzle file for any index outside the list (0: no type chosen).
    static Saved SavedAt(size_t index);
    // The index, counted from 1, of the first type of Save's list that writes saved.
    static size_t IndexOf(Saved saved);
};
