// ClipboardContent: what the clipboard holds when the player pastes.
#pragma once

#include <string>

// The window reads the clipboard into this and hands it to the board controller, which
// decides what to do with it: only text can hold a puzzle, and every other kind gets a
// sentence of its own.
struct ClipboardContent {
    enum Kind {
        kText,     // text: the first PuzzleExchange::kMaxBytes characters of it
        kNothing,  // an empty clipboard
        kPicture,  // a bitmap or a metafile, and no text
        kFiles,    // files copied in Explorer, and no text
        kOther,    // something else, and no text
        kBusy,     // another program has the clipboard open
    };

    Kind kind = kNothing;
    std::wstring text;
};
