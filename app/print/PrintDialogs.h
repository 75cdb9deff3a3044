// PrintDialogs: the program's own small dialogs that come before the print dialog.
// Their templates (resources/Enneo.rc.in) hold the layout only: each dialog shows the
// catalogue's texts in the current language, and a control, and the dialog with it,
// widens where a text needs more room than the template gives it (never in English).
#pragma once

#include "board/print/PrintJob.h"

#include <windows.h>

// File / Print, on a board that holds digits of the player's: whether to print them
// too, in grey ("Print Puzzle"). playerDigits: the choice shown, and on OK the choice
// made. False on Cancel, and then playerDigits stays as it was.
bool AskPlayerDigits(HWND owner, bool& playerDigits);

// File / Print New Puzzles: the level, how many, how many to a page and whether the
// solutions follow ("Print New Puzzles"). request: what the dialog shows, and on OK what
// was chosen; OK with a count outside 1 to 100 says so in a box and keeps the dialog.
// False on Cancel, and then request stays as it was.
bool AskNewPuzzles(HWND owner, PrintJob::NewPuzzles& request);
