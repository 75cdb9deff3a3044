// BoardPrinter: the print dialog, and a print job's pages drawn on the printer chosen there.
#include "BoardPrinter.h"

#include "app/BoardPainter.h"
#include "common/LastErrorText.h"
#include "common/gui/ScopedSelection.h"
#include "languages/Language.h"
#include "words/Words.h"

// PrintDlgEx and its structure come with the COM declarations, which the lean Windows
// headers leave out.
#include <objbase.h>

#include <cderr.h>
#include <commdlg.h>

namespace {

// No page ranges, selection or current page: a job is printed whole. The printer's
// driver makes the copies.
const DWORD kDialogFlags =
    PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOWARNING;

BoardPrinter::Context Owned(HDC printer) { return BoardPrinter::Context(printer, &DeleteDC); }

// The sentence for a dialog that failed with the extended error code.
String DialogError(DWORD code) {
    if (code == PDERR_NODEFAULTPRN || code == PDERR_NODEVICES) {
        return String(Language::Text(TextId::kPrintNoPrinter).c_str());
    }
    String hexadecimal;
    hexadecimal.Format(L"%X", static_cast<unsigned>(code));
    return String(Language::Say(TextId::kPrintDialogFailed, {hexadecimal.GetText()}).c_str());
}

// Makes the printer's logical units square, its dots across also down (printers with a
// finer resolution down than across exist), and measures the paper in them.
PrintLayout::Paper SquareDots(HDC printer) {
    int across = GetDeviceCaps(printer, LOGPIXELSX);
    int down = GetDeviceCaps(printer, LOGPIXELSY);
    SetMapMode(printer, MM_ANISOTROPIC);
    SetWindowExtEx(printer, across, across, nullptr);
    SetViewportExtEx(printer, across, down, nullptr);
    auto downward = [&](int dots) { return MulDiv(dots, across, down); };
    int width = GetDeviceCaps(printer, HORZRES);
    int height = GetDeviceCaps(printer, VERTRES);
    int left = GetDeviceCaps(printer, PHYSICALOFFSETX);
    int top = GetDeviceCaps(printer, PHYSICALOFFSETY);
    return {across,
            width,
            downward(height),
            left,
            downward(top),
            GetDeviceCaps(printer, PHYSICALWIDTH) - width - left,
            downward(GetDeviceCaps(printer, PHYSICALHEIGHT) - height - top)};
}

// One line of text in its box, in an "Arial" font of the given size in points.
void DrawLine(HDC printer, const PrintLayout::Paper& paper, const String& text, const PrintLayout::Box& box, int points,
              UINT alignment) {
    if (text.IsEmpty()) return;
    gui::ScopedSelection font(printer, CreateFontW(-PrintLayout::TextHeight(paper, points), 0, 0, 0, FW_NORMAL, FALSE,
                                                   FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial"));
    SetTextColor(printer, RGB(0, 0, 0));
    SetBkMode(printer, TRANSPARENT);
    RECT rect = {box.left, box.top, box.right, box.bottom};
    DrawTextW(printer, text.GetText(), text.GetLength(), &rect,
              alignment | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// Candidates, pencil marks and tints are the window's: paper shows the digits alone.
void PaintPage(HDC printer, const PrintLayout::Paper& paper, const PrintJob& job, const PrintJob::Page& page) {
    BoardView view;
    view.showHints = false;
    BoardPalette palette = BoardPalette::Print();
    for (size_t i = 0; i < page.layout.grids.size(); ++i) {
        const PrintLayout::Grid& grid = page.layout.grids[i];
        const BoardGeometry& board = grid.board;
        // The area takes in the lines on the board's right and bottom edges.
        RECT area = {board.GetLeft(), board.GetTop(), board.GetLeft() + board.GetSide() + 1,
                     board.GetTop() + board.GetSide() + 1};
        BoardPainter(job.GetGrid(grid.index), view, board, palette, gui::DpiScale(grid.lineDpi)).Paint(printer, area);
        DrawLine(printer, paper, Words::Say(page.titles[i]), grid.title, PrintLayout::kTitlePoints, DT_LEFT);
    }
    DrawLine(printer, paper, Words::Say(page.footer), page.layout.footer, PrintLayout::kFooterPoints, DT_CENTER);
}

// The printer's reason for the last failure; false.
bool Failed(String& error) {
    error.Set(GetLastErrorText());
    if (error.GetLength() == 0) error.Set(Language::Text(TextId::kPrintPrinterError).c_str());
    return false;
}

// A failure in the middle of a job, which takes the job back; false.
bool Abandoned(HDC printer, String& error) {
    Failed(error);
    AbortDoc(printer);
    return false;
}

}  // namespace

BoardPrinter::~BoardPrinter() {
    if (devMode_ != nullptr) GlobalFree(devMode_);
    if (devNames_ != nullptr) GlobalFree(devNames_);
}

// PrintDlgEx answers E_NOTIMPL where it is only a stub (older Wine); PrintDlg shows the
// same choice there.
BoardPrinter::Context BoardPrinter::Choose(HWND owner, String& error) {
    error.Set(nullptr);
    PRINTDLGEXW dialogEx = {};
    dialogEx.lStructSize = sizeof(dialogEx);
    dialogEx.hwndOwner = owner;
    dialogEx.hDevMode = devMode_;
    dialogEx.hDevNames = devNames_;
    dialogEx.Flags = kDialogFlags | PD_NOCURRENTPAGE;
    dialogEx.nStartPage = START_PAGE_GENERAL;
    HRESULT result = PrintDlgExW(&dialogEx);
    if (result != E_NOTIMPL) {
        devMode_ = dialogEx.hDevMode;
        devNames_ = dialogEx.hDevNames;
        Context printer = Owned(dialogEx.hDC);
        if (FAILED(result)) error = DialogError(CommDlgExtendedError());
        return dialogEx.dwResultAction == PD_RESULT_PRINT && SUCCEEDED(result) ? std::move(printer) : Owned(nullptr);
    }
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.hDevMode = devMode_;
    dialog.hDevNames = devNames_;
    dialog.Flags = kDialogFlags;
    dialog.nCopies = 1;
    BOOL chosen = PrintDlgW(&dialog);
    devMode_ = dialog.hDevMode;
    devNames_ = dialog.hDevNames;
    Context printer = Owned(dialog.hDC);
    DWORD code = chosen ? 0 : CommDlgExtendedError();
    if (code != 0) error = DialogError(code);
    return chosen ? std::move(printer) : Owned(nullptr);
}

bool BoardPrinter::Print(HDC printer, const PrintJob& job, const wchar_t* document, const Progress& progress,
                         String& error) {
    DOCINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpszDocName = document;
    if (StartDocW(printer, &info) <= 0) return Failed(error);
    PrintLayout::Paper paper = SquareDots(printer);
    std::vector<PrintJob::Page> pages = job.Pages(paper);
    int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        if (!progress(i + 1, count)) {
            AbortDoc(printer);
            return true;
        }
        if (StartPage(printer) <= 0) return Abandoned(printer, error);
        SquareDots(printer);  // a new page may start with the device's own units
        PaintPage(printer, paper, job, pages[i]);
        if (EndPage(printer) <= 0) return Abandoned(printer, error);
    }
    return EndDoc(printer) > 0 || Failed(error);
}
