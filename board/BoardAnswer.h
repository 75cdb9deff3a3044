// BoardAnswer: what a board command changed, for the window to show.
#pragma once

#include "puzzle/EnneoPuzzle.h"
#include "puzzle/Message.h"

#include <string>
#include <utility>

// The board controller's answer to a command: whether the board must be repainted, the
// menu's items brought up to date and the window's caption set again
// (BoardController::GetTitle), whether the game is to be kept soon, the clipboard work
// and the file to tell Windows of, and a box to show, if any; a digit or key refused in
// a cell, and why; and what assistive technology (a screen reader) must be told. What
// it says is data (Message), which the window puts into words (Words).
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
        // What to speak at once, or nothing: why a digit was refused, say. The
        // controller's snapshot keeps it until the next command.
        Message announcement;
    };

    // A command that may have changed the board: the board and the menu shown again;
    // nothing when it did not change.
    static BoardAnswer Shown(bool changed = true) {
        BoardAnswer answer;
        answer.repaint = answer.menu = changed;
        return answer;
    }
    // The menu alone shown again: a switch's check mark, say.
    static BoardAnswer MenuShown() {
        BoardAnswer answer;
        answer.menu = true;
        return answer;
    }
    // This answer with a box, captioned so, that says sentence.
    BoardAnswer& Boxed(Box kind, Message boxCaption, Message boxSentence) {
        box = kind;
        caption = std::move(boxCaption);
        sentence = std::move(boxSentence);
        return *this;
    }
    // A digit or key that a cell refused, which left the board as it was: the window
    // gives the system's warning sound and shows the reason beside the cell until the
    // next command (or for a few seconds); a screen reader hears it as the announcement.
    struct Refusal {
        EnneoPuzzle::Cell cell = {0, 0};  // none (x 0) when nothing was refused
        Message reason;
    };

    // This answer with a refusal in cell, for reason, which a screen reader hears too.
    BoardAnswer& Refused(EnneoPuzzle::Cell cell, const Message& reason) {
        refusal = {cell, reason};
        return Announced(reason);
    }
    // This answer with a sentence for a screen reader to speak.
    BoardAnswer& Announced(Message announcement) {
        reader.announcement = std::move(announcement);
        return *this;
    }

    bool repaint = false;
    bool menu = false;
    bool title = false;
    bool look = false;  // the theme changed: the board's palette and the caption's colour
    // The language changed: every text the window shows is made again (the menu made
    // anew, the caption, the board); the answer asks for the rest too.
    bool language = false;
    // The game changed after it was last kept: the window calls BoardController::Keep
    // once GameKeeping::kKeepDelayMs have passed. Set only by the change that starts
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
    Message caption;
    Message sentence;
    Refusal refusal;
    Reader reader;
};
