// DigitPad: the small window of the digits 1 to 9 that opens beside a cell, for play without keys.
#include "DigitPad.h"

#include "common/gui/TextFont.h"
#include "common/gui/WindowMessageRouter.h"
#include "words/Words.h"

#include <algorithm>
#include <string>

namespace {

// A bordered pop-up without a caption, kept off the taskbar and Alt+Tab.
const DWORD kStyle = WS_POPUP | WS_BORDER;
const DWORD kExtendedStyle = WS_EX_TOOLWINDOW;

// Sizes in pixels at 96 DPI: the digits' buttons are squares large enough for a finger.
const int kMargin = 4;
const int kGap = 2;
const int kDigitSide = 32;
const int kDigitFontHeight = 20;
const int kEmptyHeight = 26;
const int kSwitchHeight = 20;
const int kClientWidth = 2 * kMargin + 3 * kDigitSide + 2 * kGap;
const int kClientHeight = 2 * kMargin + 3 * (kDigitSide + kGap) + kEmptyHeight + kGap + kSwitchHeight;

// What Windows puts into the extra information of a mouse message made from a pen or a
// touch, in its upper 24 bits (the lowest byte tells which).
const DWORD kPenOrTouchMask = 0xFFFFFF00;
const DWORD kPenOrTouchSignature = 0xFF515700;

// The button that a key moves the focus to from the button id: the digits in three
// rows of three, Empty below them, the check box below it. Tab and Shift+Tab, Right
// and Left go round the tab order; Down and Up go by rows and stop at the edges.
WORD NeighbourOf(WORD id, WPARAM key, bool shift) {
    const WORD first = 1;
    const WORD last = DigitPad::kPencilModeButton;
    if (key == VK_TAB) key = shift ? VK_LEFT : VK_RIGHT;
    switch (key) {
    case VK_LEFT: return id == first ? last : id - 1;
    case VK_RIGHT: return id == last ? first : id + 1;
    case VK_UP:
        if (id == DigitPad::kEmptyButton) return 8;  // the middle of the bottom row
        if (id == last) return DigitPad::kEmptyButton;
        return id > 3 ? id - 3 : id;
    case VK_DOWN:
        if (id < 7) return id + 3;
        return id < last ? std::max<WORD>(id + 1, DigitPad::kEmptyButton) : id;
    default: return id;
    }
}

}  // namespace

DigitPad::DigitPad(const gui::Window& board, const BoardSnapshot& snapshot, const BoardGeometry& geometry, Runner run)
    : Window(L"DigitPad"), board_(board), snapshot_(snapshot), geometry_(geometry), run_(std::move(run)) {
    SetRegisterClass(true);
    SetStyle(kStyle);
    SetExtendedStyle(kExtendedStyle);
}

void DigitPad::PreRegisterClass(WNDCLASSEXW& windowClass) {
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

bool DigitPad::IsPenOrTouch(LPARAM extraInfo) {
    return (static_cast<DWORD>(extraInfo) & kPenOrTouchMask) == kPenOrTouchSignature;
}

bool DigitPad::IsOpen() const { return GetHandle() != nullptr && IsWindowVisible(GetHandle()); }

void DigitPad::Press(EnneoPuzzle::Cell cell, LPARAM extraInfo) {
    EnneoPuzzle::Cell selected = snapshot_.state.puzzle.GetSelectedCell();
    bool asked = IsPenOrTouch(extraInfo) || (selected.x == cell.x && selected.y == cell.y);
    bool paused = snapshot_.view.paused;
    Close();
    run_(BoardCommand::SelectCell(cell));
    if (asked && !paused && snapshot_.state.puzzle.GetCellState(cell.x, cell.y) != EnneoPuzzle::CELL_KNOWN) {
        Open(cell);
    }
}

void DigitPad::Open(EnneoPuzzle::Cell cell) {
    if (GetHandle() == nullptr) Create(board_.GetHandle());
    using V = Message::Value;
    SetText(Words::Say(Message(Message::kDigitPadName, {V::Number(cell.y), V::Number(cell.x)})).GetText());
    bool pencilMode = snapshot_.IsOn(BoardCommand::kPencilMode);
    SendMessageW(pencilMode_.GetHandle(), BM_SETCHECK, pencilMode ? BST_CHECKED : BST_UNCHECKED, 0);

    // Right of the cell, or left of it where the right leaves too little of the work
    // area, and moved inside the work area where the cell lies at its edge.
    int side = geometry_.GetCellSize();
    RECT place = {geometry_.GetColumnLeft(cell.x), geometry_.GetRowTop(cell.y), 0, 0};
    place.right = place.left + side;
    place.bottom = place.top + side;
    MapWindowPoints(board_.GetHandle(), nullptr, reinterpret_cast<POINT*>(&place), 2);
    RECT frame = {0, 0, GetDpiScale().Pixels(kClientWidth), GetDpiScale().Pixels(kClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExtendedStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int left = place.right + width <= work.right ? place.right : place.left - width;
    left = std::max<int>(work.left, std::min<int>(left, work.right - width));
    int top = std::max<int>(work.top, std::min<int>(place.top, work.bottom - height));
    SetWindowPos(GetHandle(), HWND_TOP, left, top, width, height, SWP_SHOWWINDOW);
    SetFocus(digits_[0].GetHandle());
}

void DigitPad::Close() {
    if (!IsOpen()) return;
    // The board's activation hides the pad (WM_ACTIVATE below).
    if (GetActiveWindow() == GetHandle()) SetActiveWindow(board_.GetHandle());
    Hide();
}

void DigitPad::Choose(int digit) {
    bool marks = SendMessageW(pencilMode_.GetHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    BoardCommand command = marks ? BoardCommand::Mark(digit) : BoardCommand::Digit(digit);
    Close();  // first: a box that the command brings has the board active
    run_(command);
}

void DigitPad::OnCreate() {
    gui::TextFont digitFont(L"Tahoma", kDigitFontHeight);
    digitFont.SetBold(true);
    for (WORD id = 1; id <= kPencilModeButton; ++id) {
        gui::ButtonControl& button = Button(id);
        button.SetStyle(button.GetStyle() | WS_TABSTOP | (id == kPencilModeButton ? BS_AUTOCHECKBOX : BS_PUSHBUTTON));
        button.SetCommandId(id);
        button.Create(GetHandle());
        HWND control = button.GetHandle();
        LONG_PTR system = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProcedure));
        SetWindowLongPtrW(control, GWLP_USERDATA, system);
    }
    for (int digit = 1; digit <= 9; ++digit) {
        digits_[digit - 1].SetText(std::to_wstring(digit).c_str());
        digits_[digit - 1].SetTextFont(digitFont);
    }
    empty_.SetText(Words::Say(Message::kDigitPadEmpty).GetText());
    pencilMode_.SetText(Words::Say(Message::kDigitPadPencilMode).GetText());
}

void DigitPad::OnSize(WPARAM, LPARAM) {
    // Size messages arrive while the window is being made, before its buttons exist.
    if (pencilMode_.GetHandle() == nullptr) return;
    const gui::DpiScale& scale = GetDpiScale();
    int margin = scale.Pixels(kMargin);
    int gap = scale.Pixels(kGap);
    int digitSide = scale.Pixels(kDigitSide);
    for (int index = 0; index < 9; ++index) {
        int left = margin + index % 3 * (digitSide + gap);
        int top = margin + index / 3 * (digitSide + gap);
        digits_[index].SetPositionRect({left, top, left + digitSide, top + digitSide}, SWP_NOZORDER);
    }
    int right = margin + 3 * digitSide + 2 * gap;
    int top = margin + 3 * (digitSide + gap);
    int bottom = top + scale.Pixels(kEmptyHeight);
    empty_.SetPositionRect({margin, top, right, bottom}, SWP_NOZORDER);
    top = bottom + gap;
    pencilMode_.SetPositionRect({margin, top, right, top + scale.Pixels(kSwitchHeight)}, SWP_NOZORDER);
}

LRESULT DigitPad::MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) break;
        Hide();
        // Away to another window than the board: the board is out of play, as it is
        // when it loses the activation itself (the pad's activation keeps it in play).
        if (reinterpret_cast<HWND>(lParam) != board_.GetHandle()) {
            run_(BoardCommand::Window(BoardCommand::kWindowActive, false));
        }
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
        if (OnKey(message, wParam, lParam)) return 0;
        break;
    }
    return Window::MessageHandler(handle, message, wParam, lParam);
}

int DigitPad::OnCommandMessage(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED) return 1;
    WORD id = LOWORD(wParam);
    if (id == kPencilModeButton) {
        run_(BoardCommand::Of(BoardCommand::kPencilMode));
    } else if (id == kEmptyButton) {
        Choose(0);
    } else if (id >= 1 && id <= 9) {
        Choose(id);
    }
    return 0;
}

int DigitPad::OnClose() {
    Close();
    return 1;
}

bool DigitPad::OnKey(UINT message, WPARAM key, LPARAM lParam) {
    if (message == WM_CHAR) {
        // The characters of the pad's own keys: handled as keys already.
        if (key == L'\t' || key == L'\r' || key == 0x1B) return true;
    } else {
        HWND focus = GetFocus();
        int id = focus != nullptr && GetParent(focus) == GetHandle() ? GetDlgCtrlID(focus) : 0;
        switch (key) {
        case VK_ESCAPE: Close(); return true;
        case VK_RETURN:
            if (id != 0) SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        case VK_TAB:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            id = id == 0 ? 1 : NeighbourOf(static_cast<WORD>(id), key, GetKeyState(VK_SHIFT) < 0);
            SetFocus(Button(static_cast<WORD>(id)).GetHandle());
            return true;
        case VK_SHIFT:
        case VK_CONTROL: return false;
        }
    }
    // The character of a key passed on reaches the button, which passes it on too.
    Close();
    SendMessageW(board_.GetHandle(), message, key, lParam);
    return true;
}

gui::ButtonControl& DigitPad::Button(WORD id) {
    if (id == kEmptyButton) return empty_;
    if (id == kPencilModeButton) return pencilMode_;
    return digits_[id - 1];
}

LRESULT CALLBACK DigitPad::ControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    // Without a dialog's message loop a button drops Tab, the arrows, Enter and Escape,
    // and the board's keys would stop at it.
    if (message == WM_KEYDOWN || message == WM_CHAR) {
        auto* pad = static_cast<DigitPad*>(gui::WindowMessageRouter::GetInstance()->LookUp(GetParent(control)));
        if (pad != nullptr && pad->OnKey(message, wParam, lParam)) return 0;
    }
    auto system = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    return CallWindowProcW(system, control, message, wParam, lParam);
}
