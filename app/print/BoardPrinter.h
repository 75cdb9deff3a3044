// BoardPrinter: the print dialog, and a print job's pages drawn on the printer chosen there.
#pragma once

#include "board/print/PrintJob.h"
#include "common/String.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>

// Runs the standard print dialog (PrintDlgEx, or PrintDlg where Windows lacks it) and
// keeps the printer and the settings chosen there for the next time. Prints a job's
// pages on a printer's device context: each grid drawn by the board painter in the
// print palette at the printer's resolution, and each title and footer as the job words
// it. Failures come back as a sentence for the window's box.
class BoardPrinter {
public:
    // A printer's device context, deleted with the object.
    using Context = std::unique_ptr<std::remove_pointer_t<HDC>, BOOL(WINAPI*)(HDC)>;
    // Before each page is printed: its number from 1, and how many there are; false
    // cancels the job.
    using Progress = std::function<bool(int page, int pages)>;

    BoardPrinter() = default;
    ~BoardPrinter();
    BoardPrinter(const BoardPrinter&) = delete;
    BoardPrinter& operator=(const BoardPrinter&) = delete;

    // The print dialog, owned by owner: the chosen printer's device context, or null
    // when the user cancelled (error empty) or no printer could be had (error says why).
    Context Choose(HWND owner, String& error);

    // Prints the job on printer as the document named. True when every page went to
    // the printer or the job was cancelled (AbortDoc takes back what it had); false,
    // with the printer's reason in error, when the printer failed.
    static bool Print(HDC printer, const PrintJob& job, const wchar_t* document, const Progress& progress,
                      String& error);

private:
    // The printer and its settings as last chosen, for the dialog's next start; owned.
    HGLOBAL devMode_ = nullptr;
    HGLOBAL devNames_ = nullptr;
};
