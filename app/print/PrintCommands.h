// PrintCommands: File / Print and File / Print New Puzzles, each run whole.
#pragma once

#include "BoardPrinter.h"
#include "board/print/PrintJob.h"
#include "common/String.h"
#include "common/gui/ProgressFeedback.h"
#include "TextId.h"
#include "puzzle/EnneoPuzzle.h"

#include <windows.h>

#include <functional>
#include <optional>

// Runs a print menu item for the board window: the program's own dialog, the print
// dialog, then the job with its progress (Cancel takes the job back), and a box captioned
// "Print" when a printer fails. Keeps the printer and the dialogs' last choices for the
// next time.
class PrintCommands {
public:
    // File / Print: board on one page, with the player's digits when the Print Puzzle
    // dialog asks for them (it comes only for a board that holds some).
    void PrintBoard(HWND owner, const EnneoPuzzle& board);
    // File / Print New Puzzles: its dialog, then new puzzles on as many pages as they take.
    void PrintNewPuzzles(HWND owner);

private:
    // Makes the job while the progress shows; nullopt when the user cancelled.
    using JobMaker = std::function<std::optional<PrintJob>(gui::ProgressFeedback& feedback)>;

    // The print dialog, then the job that makeJob makes, printed on the printer chosen
    // there under a progress window captioned caption.
    void Print(HWND owner, TextId caption, const JobMaker& makeJob);
    // The box "Print" with the reason a print job failed; nothing for an empty reason.
    static void ShowError(HWND owner, const String& reason);

    BoardPrinter printer_;
    // The dialogs' last choices, shown again the next time.
    bool playerDigits_ = false;
    PrintJob::NewPuzzles newPuzzles_;
};
