// BoardAnswer: what a board command changed, for the window to show.
#pragma once

#include "common/String.h"

#include <string>

// The board controller's answer to a command: whether the board must be repainted, the
// menu's items brought up to date and the window's caption set again
// (BoardController::GetTitle), whether the game is to be kept soon, the clipboard work
// and the file to tell Windows of, and a sentence to show in a box, if any; and what
// assistive technology (a screen reader) must be told.
struct BoardAnswer {
    enum Box {
        kNoBox,
        kInformation,  // a box with an OK button and the information icon
        kError,        // a box with the error icon
    };

    // For a screen reader, which reads the board as a table of cells: the events the
    // window raises so that it speaks what a sighted player sees change.
    struct Reader {
        bool focusMoved = false;    // the selection is on another cell, which takes the focus
        bool valueChanged = false;  // the selected cell holds another digit (or none)
        bool namesChanged = false;  // what some cells show (digits, marks, candidates) changed
        // A sentence to speak at once, or empty: why a digit was refused. The
        // controller's GetAnnouncement keeps it until the next command.
        String announcement;
    };

    bool repaint = false;
    bool menu = false;
    bool title = false;
    bool look = false;  // the theme changed: the board's palette and the caption's colour
    // The game changed after it was last kept: the window calls BoardController::Keep
    // once BoardController::kKeepDelayMs have passed. Set only by the change that starts
    // the wait, so that later ones do not put the write off.
    bool keep = false;
    // Copy: the text to put on the clipboard as Unicode text; empty for none.
    std::wstring copyText;
    // Paste: the window reads the clipboard and hands what it holds to
    // BoardController::Paste.
    bool readClipboard = false;
    // A file opened or saved, for Windows' list of recent documents; empty for none.
    std::wstring recentFile;
    Box box = kNoBox;
    const wchar_t* caption = L"";
    String sentence;
    Reader reader;
};
