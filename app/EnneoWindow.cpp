// EnneoWindow: the board window, the program's main window.
#include "EnneoWindow.h"

#include "common/gui/ShellOpen.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "resources/resource.h"

#include <commdlg.h>
#include <windowsx.h>

// The 32-bit program hands the dialog the 88-byte structure of 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEW) == 88, "OPENFILENAMEW of 32-bit Windows");
#endif

namespace {

const wchar_t kErrorCaption[] = L"Error (not very fatal)";
const COLORREF kGivenColour = RGB(255, 0, 0);
const COLORREF kSetColour = RGB(0, 0, 0);
const COLORREF kCandidateColour = RGB(100, 100, 100);
// Sizes in pixels at 96 DPI: the cell lines, the block lines, the inset of a digit's
// rectangle in its cell, and how much smaller than the cell a digit's font is.
const int kCellLineWidth = 1;
const int kBlockLineWidth = 5;
const int kDigitInset = 5;
const int kDigitFontReduction = 6;

// A GDI object made for one scope: selected into a device context, then deselected and
// deleted.
class ScopedSelection {
public:
    ScopedSelection(HDC deviceContext, HGDIOBJ object)
        : deviceContext_(deviceContext), object_(object), previous_(SelectObject(deviceContext, object)) {}
    ~ScopedSelection() {
        SelectObject(deviceContext_, previous_);
        DeleteObject(object_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC deviceContext_;
    HGDIOBJ object_;
    HGDIOBJ previous_;
};

// A "Times New Roman" font of the given height, for one scope.
class ScopedFont : public ScopedSelection {
public:
    ScopedFont(HDC deviceContext, int height)
        : ScopedSelection(deviceContext,
                          CreateFontW(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Times New Roman")) {}
};

// A solid black pen of the given width, for one scope.
class ScopedPen : public ScopedSelection {
public:
    ScopedPen(HDC deviceContext, int width)
        : ScopedSelection(deviceContext, CreatePen(PS_SOLID, width, RGB(0, 0, 0))) {}
};

void DrawCentred(HDC deviceContext, const wchar_t* text, int length, RECT rect) {
    DrawTextW(deviceContext, text, length, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void DrawLine(HDC deviceContext, int x1, int y1, int x2, int y2) {
    MoveToEx(deviceContext, x1, y1, nullptr);
    LineTo(deviceContext, x2, y2);
}

// The file dialogs' shared set-up: owner, the "EnneoFiles" filter, the name buffer.
OPENFILENAMEW FileDialog(HWND owner, wchar_t* fileName, DWORD size, DWORD flags) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(OPENFILENAMEW);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"EnneoFiles\0*.txt;*.enn\0";
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = size;
    dialog.Flags = flags | OFN_NOCHANGEDIR;  // the current directory is not the dialog's to change
    return dialog;
}

}  // namespace

const wchar_t* const EnneoWindow::kHomePageUrl = ENNEO_HOME_URL;

EnneoWindow::EnneoWindow(const wchar_t* updateUrl, const wchar_t* updatePublicKey)
    : MainWindowBase(L"EnneoWindow"),
      versionCheck_(updateUrl, updatePublicKey),
      puzzle_(std::make_unique<EnneoPuzzle>()),
      showHints_(true) {
    puzzle_->LoadFromString(EnneoPuzzle::kSampleText);
}

EnneoWindow::~EnneoWindow() = default;

void EnneoWindow::OnCreate() {
    SetText(L"Enneo Tessary");
    LoadMenu(IDR_BOARD_MENU);
    SetIcon(IDI_ENNEO);
}

LRESULT EnneoWindow::MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // Positions are the low and high words of lParam, taken unsigned.
    int x = LOWORD(lParam);
    int y = HIWORD(lParam);
    EnneoPuzzle::Cell cell;
    switch (message) {
    case WM_LBUTTONDOWN:
        if (geometry_.CellAt(x, y, cell)) OnSelectCell(cell.x, cell.y);
        break;
    case WM_RBUTTONDOWN:
        if (geometry_.CellAt(x, y, cell)) ShowCandidates(cell.x, cell.y);
        break;
    case WM_CHAR:
        OnKeyPressed(static_cast<wchar_t>(wParam & 0xFF));
        break;
    case WM_KEYUP:
        if ((wParam & 0xFF) == VK_F5) RepaintAll();
        break;
    case WM_COMMAND:
        return OnCommand(wParam);
    }
    return MainWindowBase::MessageHandler(handle, message, wParam, lParam);
}

void EnneoWindow::RepaintAll() { InvalidateRect(GetHandle(), nullptr, TRUE); }

void EnneoWindow::OnPaint(HDC) {
    const gui::DpiScale& scale = GetDpiScale();
    RECT client;
    GetClientRect(&client);
    int margin = scale.Pixels(BoardGeometry::kMargin);
    geometry_ = BoardGeometry(client.right - client.left, client.bottom - client.top, margin);
    int left = geometry_.GetLeft();
    int top = geometry_.GetTop();
    int cell = geometry_.GetCellSize();
    int side = geometry_.GetSide();

    HDC deviceContext = GetDC(GetHandle());
    {
        ScopedPen cellPen(deviceContext, scale.Pixels(kCellLineWidth));
        for (int g = 0; g <= 9; ++g) {
            DrawLine(deviceContext, left, top + g * cell, left + side, top + g * cell);
            DrawLine(deviceContext, left + g * cell, top, left + g * cell, top + side);
        }
        ScopedPen blockPen(deviceContext, scale.Pixels(kBlockLineWidth));
        for (int g = 3; g <= 6; g += 3) {
            DrawLine(deviceContext, left, top + g * cell, left + side, top + g * cell);
            DrawLine(deviceContext, left + g * cell, top, left + g * cell, top + side);
        }
        for (int x = 1; x <= 9; ++x) {
            for (int y = 1; y <= 9; ++y) DrawCell(deviceContext, x, y);
        }
    }
    ReleaseDC(GetHandle(), deviceContext);
}

void EnneoWindow::DrawCell(HDC deviceContext, int x, int y) {
    int cell = geometry_.GetCellSize();
    int left = geometry_.GetLeft() + cell * (x - 1);
    int top = geometry_.GetTop() + cell * (y - 1);
    int state = puzzle_->GetCellState(x, y);
    SetBkMode(deviceContext, TRANSPARENT);
    if (state != EnneoPuzzle::CELL_EMPTY) {
        const gui::DpiScale& scale = GetDpiScale();
        ScopedFont font(deviceContext, cell - scale.Pixels(kDigitFontReduction));
        SetTextColor(deviceContext, state == EnneoPuzzle::CELL_KNOWN ? kGivenColour : kSetColour);
        wchar_t digit = static_cast<wchar_t>(L'0' + puzzle_->GetCell(x, y));
        int inset = scale.Pixels(kDigitInset);
        DrawCentred(deviceContext, &digit, 1, {left + inset, top + inset, left + cell - inset, top + cell - inset});
    } else if (showHints_) {
        // Packed in reading order by position in the text: "379" fills the top row.
        ScopedFont font(deviceContext, cell / 4);
        SetTextColor(deviceContext, kCandidateColour);
        int third = cell / 3;
        const wchar_t* candidates = puzzle_->GetCandidatesFor(x, y);
        for (int k = 0; candidates[k] != 0; ++k) {
            int column = k % 3;
            int row = k / 3;
            DrawCentred(deviceContext, candidates + k, 1,
                        {left + column * third, top + row * third, left + (column + 1) * third, top + (row + 1) * third});
        }
    }
}

void EnneoWindow::ShowCandidates(int x, int y) {
    if (puzzle_->GetCellState(x, y) != EnneoPuzzle::CELL_EMPTY) return;
    HDC deviceContext = GetDC(GetHandle());
    bool showHints = showHints_;
    showHints_ = true;
    DrawCell(deviceContext, x, y);
    showHints_ = showHints;
    ReleaseDC(GetHandle(), deviceContext);
}

void EnneoWindow::OnSelectCell(int x, int y) { puzzle_->SetSelectedCell(x, y); }

void EnneoWindow::OnKeyPressed(wchar_t character) {
    EnneoPuzzle::Cell selected = puzzle_->GetSelectedCell();
    if (selected.x == 0 || puzzle_->GetCellState(selected.x, selected.y) == EnneoPuzzle::CELL_KNOWN) return;
    if (character < L'0' || character > L'9') return;
    int digit = character - L'0';
    puzzle_->SetCell(selected.x, selected.y, digit, digit == 0 ? EnneoPuzzle::CELL_EMPTY : EnneoPuzzle::CELL_SET);
    RepaintAll();
}

void EnneoWindow::SetPuzzle(std::unique_ptr<EnneoPuzzle> puzzle) { puzzle_ = std::move(puzzle); }

int EnneoWindow::OnCommand(WPARAM wParam) {
    switch (wParam) {
    case ID_MFILE_NEW:
        SetPuzzle(std::make_unique<EnneoPuzzle>());
        RepaintAll();
        break;
    case ID_MFILE_NEWPUZZLE_EASY:
        OnNewPuzzle(PuzzleGenerator::kEasy);
        break;
    case ID_MFILE_NEWPUZZLE_MEDIUM:
        OnNewPuzzle(PuzzleGenerator::kMedium);
        break;
    case ID_MFILE_NEWPUZZLE_HARD:
        OnNewPuzzle(PuzzleGenerator::kHard);
        break;
    case ID_MFILE_OPEN:
        OnFileOpen();
        break;
    case ID_MFILE_Save:
        OnFileSave();
        break;
    case ID_MFILE_EXIT:
        PostQuitMessage(0);
        break;
    case ID_OPTIONS_SHOWHINTS:
        showHints_ = !showHints_;
        RepaintAll();
        break;
    case ID_OPTIONS_Reset:
        puzzle_->Reset();
        RepaintAll();
        break;
    case ID_OPTIONS_Solve:
        puzzle_->Solve();
        RepaintAll();
        break;
    case IDM_CHECKUPDATES:
        versionCheck_.Check();
        break;
    case ID_OPTIONS_SHOWLOG:
        OnShowLog();
        break;
    case IDM_ABOUT:
        OnAbout();
        break;
    }
    return 0;
}

void EnneoWindow::OnNewPuzzle(PuzzleGenerator::Level level) {
    PuzzleGenerator generator(PuzzleGenerator::SeedFromClock());
    SetPuzzle(std::make_unique<EnneoPuzzle>(generator.Generate(level)));
    RepaintAll();
}

void EnneoWindow::OnFileOpen() {
    wchar_t fileName[520] = {};
    OPENFILENAMEW dialog = FileDialog(GetHandle(), fileName, 520, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog)) return;
    auto puzzle = std::make_unique<EnneoPuzzle>();
    if (!puzzle->Load(fileName)) {
        // The puzzle on the board stays: an unreadable file must not cost the user's work.
        MessageBoxW(GetHandle(), L"Your enneo has died.\nError loading Enneo from file.", kErrorCaption, MB_ICONERROR);
        return;
    }
    SetPuzzle(std::move(puzzle));
    RepaintAll();
}

void EnneoWindow::OnFileSave() {
    wchar_t fileName[520] = {};
    OPENFILENAMEW dialog = FileDialog(GetHandle(), fileName, 520, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (!GetSaveFileNameW(&dialog)) return;
    if (!puzzle_->Save(fileName)) {
        MessageBoxW(GetHandle(), L"Your enneo has died.\nError saving Enneo to file.", kErrorCaption, MB_ICONERROR);
    }
}

void EnneoWindow::OnAbout() {
    if (about_.GetHandle() == nullptr) about_.Create(GetHandle());
    about_.Show(SW_SHOWNORMAL);
    gui::ShellOpen(GetHandle(), kHomePageUrl, SW_SHOWDEFAULT);
}

void EnneoWindow::OnShowLog() {
    util::logging::WindowLogger* log = util::logging::WindowLogger::GetInstance();
    util::logging::LoggerManager::GetInstance()->AddLogger(log);
}
