// HelpWindow: the program's own help, a document to read beside the board.
#include "HelpWindow.h"

#include "common/gui/TextFont.h"
#include "languages/Language.h"
#include "words/Words.h"

namespace {

// Sizes in pixels at 96 DPI.
const int kWidth = 520;
const int kHeight = 600;
const int kTextMargin = 8;  // inside the edit control, left and right
const int kFontHeight = 16;
// The tab stops, in dialog units: the keys' section puts a tab between a key and its
// command, which then start in one column.
const int kTabStop = 80;

// GWLP_USERDATA of the edit control holds its own window procedure, which the help
// window's replaced; the class "Edit" leaves that slot to its users.
WNDPROC EditProcedureOf(HWND edit) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(edit, GWLP_USERDATA)); }

}  // namespace

HelpWindow::HelpWindow()
    : MainWindowBase(L"HelpWindow"), textBox_(WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL) {}

std::wstring HelpWindow::LoadText() {
    std::wstring lines = Language::Text(TextId::kHelpText);
    std::wstring text;
    text.reserve(lines.size() + lines.size() / 16);
    for (wchar_t c : lines) {
        if (c == L'\n') text += L'\r';
        text += c;
    }
    return text;
}

void HelpWindow::OnCreate() {
    SetIcon(kProgramIcon);
    textBox_.Create(GetHandle());
    textBox_.SetTextFont(gui::TextFont(L"Segoe UI", kFontHeight));
    SendMessageW(textBox_.GetHandle(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&kTabStop));
    ShowTexts();
    HWND edit = textBox_.GetHandle();
    SetWindowLongPtrW(edit, GWLP_USERDATA, GetWindowLongPtrW(edit, GWLP_WNDPROC));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ClosesOnEscape));
    SetPosition(0, 0, GetDpiScale().Pixels(kWidth), GetDpiScale().Pixels(kHeight), SWP_NOMOVE);
    Centre();
}

void HelpWindow::ShowTexts() {
    SetText(Words::Say(Message::kHelpTitle).GetText());
    textBox_.SetText(LoadText().c_str());
}

void HelpWindow::Present(HWND owner) {
    if (GetHandle() == nullptr) Create(owner);
    Show(IsIconic(GetHandle()) ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(GetHandle());
}

void HelpWindow::OnSize(WPARAM, LPARAM) {
    // Size messages arrive while the window is being made, before the text exists.
    if (textBox_.GetHandle() == nullptr) return;
    RECT client;
    GetClientRect(&client);
    textBox_.SetPositionRect(client, SWP_NOZORDER);
    // Again at every size: a new DPI sizes the window anew.
    int margin = GetDpiScale().Pixels(kTextMargin);
    SendMessageW(textBox_.GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

LRESULT HelpWindow::MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:  // activated: the keys go to the text
        if (textBox_.GetHandle() != nullptr) SetFocus(textBox_.GetHandle());
        return 0;
    case WM_CTLCOLORSTATIC: {  // a read-only edit control asks as a label would: a document's colours
        HDC context = reinterpret_cast<HDC>(wParam);
        SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(context, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    }
    return MainWindowBase::MessageHandler(handle, message, wParam, lParam);
}

int HelpWindow::OnClose() {
    ShowWindow(GetHandle(), SW_HIDE);
    return 1;
}

LRESULT CALLBACK HelpWindow::ClosesOnEscape(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    // The Escape character that the key also types is dropped.
    if (wParam == VK_ESCAPE && (message == WM_KEYDOWN || message == WM_CHAR)) {
        if (message == WM_KEYDOWN) SendMessageW(GetParent(edit), WM_CLOSE, 0, 0);
        return 0;
    }
    return CallWindowProcW(EditProcedureOf(edit), edit, message, wParam, lParam);
}
