// EnneoWindow: the board window, the program's main window.
#include "EnneoWindow.h"

#include "CoachSentences.h"
#include "common/IApplication.h"
#include "common/String.h"
#include "common/gui/ShellOpen.h"
#include "common/util/IProperties.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "puzzle/Coach.h"
#include "resources/resource.h"

#include <commdlg.h>
#include <windowsx.h>

#include <cwchar>

// The 32-bit program hands the dialog the 88-byte structure of 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEW) == 88, "OPENFILENAMEW of 32-bit Windows");
#endif

namespace {

const wchar_t kErrorCaption[] = L"Error (not very fatal)";
const COLORREF kGivenColour = RGB(255, 0, 0);
const COLORREF kSetColour = RGB(0, 0, 0);
const COLORREF kCandidateColour = RGB(100, 100, 100);
const COLORREF kPencilMarkColour = RGB(20, 80, 220);
// Mark Selection: the selected cell, the other cells holding its digit, and the digits
// that the last Check found not to fit.
const COLORREF kSelectionColour = RGB(255, 222, 120);
const COLORREF kSameDigitColour = RGB(255, 243, 200);
const COLORREF kMisfitColour = RGB(255, 175, 175);
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

// A bitmap like the window's, selected into a memory device context for one scope:
// the board is drawn there and copied to the window at once, so that it never shows
// half drawn. Get() is null when the system could not make it.
class MemoryCanvas {
public:
    MemoryCanvas(HDC windowContext, int width, int height)
        : deviceContext_(CreateCompatibleDC(windowContext)),
          bitmap_(CreateCompatibleBitmap(windowContext, width, height)),
          previous_(deviceContext_ != nullptr && bitmap_ != nullptr ? SelectObject(deviceContext_, bitmap_) : nullptr) {}
    ~MemoryCanvas() {
        if (previous_ != nullptr) SelectObject(deviceContext_, previous_);
        if (bitmap_ != nullptr) DeleteObject(bitmap_);
        if (deviceContext_ != nullptr) DeleteDC(deviceContext_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Get() const { return previous_ != nullptr ? deviceContext_ : nullptr; }

private:
    HDC deviceContext_;
    HBITMAP bitmap_;
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

EnneoPuzzle SamplePuzzle() {
    EnneoPuzzle puzzle;
    puzzle.LoadFromString(EnneoPuzzle::kSampleText);
    return puzzle;
}

}  // namespace

const wchar_t* const EnneoWindow::kHomePageUrl = ENNEO_HOME_URL;
const wchar_t EnneoWindow::kMarkSelectionSetting[] = L"MarkSelection";

EnneoWindow::EnneoWindow(const wchar_t* updateUrl, const wchar_t* updatePublicKey)
    : MainWindowBase(L"EnneoWindow"),
      versionCheck_(updateUrl, updatePublicKey),
      game_(SamplePuzzle()),
      showHints_(true) {}

EnneoWindow::~EnneoWindow() = default;

void EnneoWindow::OnCreate() {
    SetText(L"Enneo Tessary");
    LoadMenu(IDR_BOARD_MENU);
    SetIcon(IDI_ENNEO);
    String setting;
    markSelection_ = IApplication::GetCurrent()->GetProperties()->GetProperty(kMarkSelectionSetting, setting, nullptr) &&
                     std::wcscmp(setting.GetText(), L"1") == 0;
    UpdateMenu();
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
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        break;
    case WM_ERASEBKGND:
        return 1;  // OnPaint fills the whole client area itself
    case WM_KEYUP:
        if ((wParam & 0xFF) == VK_F5) RepaintAll();
        break;
    case WM_COMMAND:
        return OnCommand(wParam);
    }
    return MainWindowBase::MessageHandler(handle, message, wParam, lParam);
}

void EnneoWindow::RepaintAll() { InvalidateRect(GetHandle(), nullptr, FALSE); }

void EnneoWindow::ShowGame() {
    RepaintAll();
    UpdateMenu();
}

void EnneoWindow::UpdateMenu() {
    HMENU menu = GetMenu(GetHandle());
    EnableMenuItem(menu, ID_EDIT_UNDO, MF_BYCOMMAND | (game_.CanUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, ID_EDIT_REDO, MF_BYCOMMAND | (game_.CanRedo() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, ID_OPTIONS_MARKSELECTION, MF_BYCOMMAND | (markSelection_ ? MF_CHECKED : MF_UNCHECKED));
}

void EnneoWindow::OnPaint(HDC) {
    RECT client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    geometry_ = BoardGeometry(width, height, GetDpiScale().Pixels(BoardGeometry::kMargin));
    if (width <= 0 || height <= 0) return;

    HDC windowContext = GetDC(GetHandle());
    MemoryCanvas canvas(windowContext, width, height);
    if (canvas.Get() != nullptr) {
        DrawBoard(canvas.Get(), client);
        BitBlt(windowContext, 0, 0, width, height, canvas.Get(), 0, 0, SRCCOPY);
    } else {
        DrawBoard(windowContext, client);  // short of memory: straight onto the window
    }
    ReleaseDC(GetHandle(), windowContext);
}

void EnneoWindow::DrawBoard(HDC deviceContext, const RECT& client) {
    int left = geometry_.GetLeft();
    int top = geometry_.GetTop();
    int cell = geometry_.GetCellSize();
    int side = geometry_.GetSide();

    FillRect(deviceContext, &client, GetSysColorBrush(COLOR_WINDOW));
    if (markSelection_) DrawSelectionMarks(deviceContext);
    const gui::DpiScale& scale = GetDpiScale();
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

void EnneoWindow::DrawSelectionMarks(HDC deviceContext) {
    const EnneoPuzzle& puzzle = game_.GetState().puzzle;
    EnneoPuzzle::Cell selected = puzzle.GetSelectedCell();
    int digit = selected.x == 0 ? 0 : puzzle.GetCell(selected.x, selected.y);
    bool checked = game_.GetChangeCount() == checkedChange_;
    int cell = geometry_.GetCellSize();
    auto fill = [&](int x, int y, COLORREF colour) {
        int left = geometry_.GetLeft() + cell * (x - 1);
        int top = geometry_.GetTop() + cell * (y - 1);
        RECT inside = {left + 1, top + 1, left + cell, top + cell};
        SetDCBrushColor(deviceContext, colour);
        FillRect(deviceContext, &inside, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    };
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            if (digit != 0 && puzzle.GetCell(x, y) == digit) fill(x, y, kSameDigitColour);
        }
    }
    if (checked) {
        for (EnneoPuzzle::Cell misfit : misfits_) fill(misfit.x, misfit.y, kMisfitColour);
    }
    if (selected.x != 0) fill(selected.x, selected.y, kSelectionColour);
}

void EnneoWindow::DrawCell(HDC deviceContext, int x, int y) {
    int cell = geometry_.GetCellSize();
    int left = geometry_.GetLeft() + cell * (x - 1);
    int top = geometry_.GetTop() + cell * (y - 1);
    EnneoPuzzle& puzzle = game_.GetPuzzle();
    int state = puzzle.GetCellState(x, y);
    SetBkMode(deviceContext, TRANSPARENT);
    if (state != EnneoPuzzle::CELL_EMPTY) {
        const gui::DpiScale& scale = GetDpiScale();
        ScopedFont font(deviceContext, cell - scale.Pixels(kDigitFontReduction));
        SetTextColor(deviceContext, state == EnneoPuzzle::CELL_KNOWN ? kGivenColour : kSetColour);
        wchar_t digit = static_cast<wchar_t>(L'0' + puzzle.GetCell(x, y));
        int inset = scale.Pixels(kDigitInset);
        DrawCentred(deviceContext, &digit, 1, {left + inset, top + inset, left + cell - inset, top + cell - inset});
        return;
    }
    int marks = game_.GetState().marks.Get(x, y);
    if (marks == 0 && !showHints_) return;
    // Small digits in a 3 x 3 arrangement of mini-squares, square k in column k % 3 and
    // row k / 3, the marks in the place of their digit (d in square d - 1), the
    // candidates instead packed in reading order by position in the text ("379" fills
    // the top row). The marks take the candidates' font and places.
    ScopedFont font(deviceContext, cell / 4);
    int third = cell / 3;
    auto drawSmall = [&](wchar_t digit, int square) {
        int column = square % 3;
        int row = square / 3;
        DrawCentred(deviceContext, &digit, 1,
                    {left + column * third, top + row * third, left + (column + 1) * third, top + (row + 1) * third});
    };
    if (marks != 0) {
        SetTextColor(deviceContext, kPencilMarkColour);
        for (int digit = 1; digit <= 9; ++digit) {
            if ((marks & (1 << (digit - 1))) != 0) drawSmall(static_cast<wchar_t>(L'0' + digit), digit - 1);
        }
    } else {
        SetTextColor(deviceContext, kCandidateColour);
        const wchar_t* candidates = puzzle.GetCandidatesFor(x, y);
        for (int k = 0; candidates[k] != 0; ++k) drawSmall(candidates[k], k);
    }
}

void EnneoWindow::ShowCandidates(int x, int y) {
    if (game_.GetState().puzzle.GetCellState(x, y) != EnneoPuzzle::CELL_EMPTY) return;
    HDC deviceContext = GetDC(GetHandle());
    bool showHints = showHints_;
    showHints_ = true;
    DrawCell(deviceContext, x, y);
    showHints_ = showHints;
    ReleaseDC(GetHandle(), deviceContext);
}

// With Mark Selection off the selection shows nowhere, and the board is not repainted
// for it.
void EnneoWindow::OnSelectCell(int x, int y) {
    game_.GetPuzzle().SetSelectedCell(x, y);
    if (markSelection_) RepaintAll();
}

void EnneoWindow::MoveSelection(int dx, int dy) {
    game_.MoveSelection(dx, dy);
    if (markSelection_) RepaintAll();
}

void EnneoWindow::OnKeyPressed(wchar_t character) {
    if (character == L'?') {
        OnHint();
        return;
    }
    const EnneoPuzzle& puzzle = game_.GetState().puzzle;
    EnneoPuzzle::Cell selected = puzzle.GetSelectedCell();
    if (selected.x == 0 || puzzle.GetCellState(selected.x, selected.y) == EnneoPuzzle::CELL_KNOWN) return;
    if (character == L'\b' || character == L' ') character = L'0';
    if (character < L'0' || character > L'9') return;
    game_.EnterDigit(character - L'0');
    ShowGame();
}

void EnneoWindow::OnKeyDown(WPARAM virtualKey) {
    bool control = GetKeyState(VK_CONTROL) < 0;
    bool shift = GetKeyState(VK_SHIFT) < 0;
    // Not with Alt as well: Ctrl+Alt is AltGr, which types characters on many keyboards.
    bool markKey = control && GetKeyState(VK_MENU) >= 0;
    if (markKey && virtualKey >= '0' && virtualKey <= '9') {
        OnMark(static_cast<int>(virtualKey - '0'));
    } else if (markKey && virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        OnMark(static_cast<int>(virtualKey - VK_NUMPAD0));
    }
    switch (virtualKey) {
    case 'Z':
        if (control && shift) OnRedo();
        else if (control) OnUndo();
        break;
    case 'Y':
        if (control) OnRedo();
        break;
    case VK_LEFT: MoveSelection(-1, 0); break;
    case VK_RIGHT: MoveSelection(1, 0); break;
    case VK_UP: MoveSelection(0, -1); break;
    case VK_DOWN: MoveSelection(0, 1); break;
    case VK_DELETE: OnKeyPressed(L'0'); break;
    }
}

void EnneoWindow::OnMark(int digit) {
    if (digit == 0 ? game_.ClearMarks() : game_.ToggleMark(digit)) ShowGame();
}

void EnneoWindow::OnHint() {
    const EnneoPuzzle& board = game_.GetState().puzzle;
    Coach coach(board);
    EnneoPuzzle::Cell cell = coach.GetHintCell();
    if (cell.x != 0) OnSelectCell(cell.x, cell.y);
    MessageBoxW(GetHandle(), HintSentence(coach, board).GetText(), L"Hint", MB_OK | MB_ICONINFORMATION);
}

void EnneoWindow::OnCheck() {
    Coach coach(game_.GetState().puzzle);
    misfits_ = coach.GetMisfits();
    checkedChange_ = game_.GetChangeCount();
    if (markSelection_ && !misfits_.empty()) RepaintAll();
    MessageBoxW(GetHandle(), CheckSentence(coach).GetText(), L"Check", MB_OK | MB_ICONINFORMATION);
}

void EnneoWindow::OnUndo() {
    if (game_.Undo()) ShowGame();
}

void EnneoWindow::OnRedo() {
    if (game_.Redo()) ShowGame();
}

void EnneoWindow::SetMarkSelection(bool on) {
    markSelection_ = on;
    IApplication::GetCurrent()->GetProperties()->SetProperty(kMarkSelectionSetting, on ? L"1" : L"0", nullptr);
    UpdateMenu();
    RepaintAll();
}

void EnneoWindow::SetPuzzle(const EnneoPuzzle& puzzle) {
    game_.Replace(puzzle);
    ShowGame();
}

int EnneoWindow::OnCommand(WPARAM wParam) {
    switch (wParam) {
    case ID_MFILE_NEW:
        SetPuzzle(EnneoPuzzle());
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
    case ID_OPTIONS_MARKSELECTION:
        SetMarkSelection(!markSelection_);
        break;
    case ID_OPTIONS_Reset:
        game_.Reset();
        ShowGame();
        break;
    case ID_OPTIONS_Solve:
        game_.Solve();
        ShowGame();
        break;
    case ID_OPTIONS_HINT:
        OnHint();
        break;
    case ID_OPTIONS_CHECK:
        OnCheck();
        break;
    case ID_EDIT_UNDO:
        OnUndo();
        break;
    case ID_EDIT_REDO:
        OnRedo();
        break;
    case IDM_CHECKUPDATES:
        versionCheck_.Check(util::version::VersionCheck::Asked::ByUser);
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
    SetPuzzle(generator.Generate(level));
}

void EnneoWindow::OnFileOpen() {
    wchar_t fileName[520] = {};
    OPENFILENAMEW dialog = FileDialog(GetHandle(), fileName, 520, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog)) return;
    EnneoPuzzle puzzle;
    if (!puzzle.Load(fileName)) {
        // The puzzle on the board stays: an unreadable file must not cost the user's work.
        MessageBoxW(GetHandle(), L"Your enneo has died.\nError loading Enneo from file.", kErrorCaption, MB_ICONERROR);
        return;
    }
    SetPuzzle(puzzle);
}

void EnneoWindow::OnFileSave() {
    wchar_t fileName[520] = {};
    OPENFILENAMEW dialog = FileDialog(GetHandle(), fileName, 520, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (!GetSaveFileNameW(&dialog)) return;
    if (!game_.GetPuzzle().Save(fileName)) {
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
    log->Show();  // again, after it was closed
    util::logging::LoggerManager::GetInstance()->AddLogger(log);
}
