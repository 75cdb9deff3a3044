// ProgressWindow: the small window that shows a long piece of work (a download, a print job) and lets the user stop it.
#include "ProgressWindow.h"

#include "languages/Language.h"

namespace gui {

namespace {
// Sizes in pixels at 96 DPI.
const int kWidth = 380;
const int kHeight = 165;
const int kMargin = 10;
const int kTextHeight = 32;
const int kBarHeight = 18;
const int kButtonWidth = 75;
const int kButtonHeight = 25;
}  // namespace

ProgressWindow::ProgressWindow() : MainWindowBase(L"ProgressWindow") {
    // A pop-up with a caption and a close box only.
    SetStyle((GetStyle() & ~(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) | WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

void ProgressWindow::PreRegisterClass(WNDCLASSEXW& windowClass) {
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

void ProgressWindow::OnCreate() {
    SetIcon(kProgramIcon);
    text_.Create(GetHandle());
    bar_.Create(GetHandle());
    cancelButton_.SetCommandId(kCancelCommand);
    cancelButton_.Create(GetHandle());
    cancelButton_.SetText(Language::Text(TextId::kDialogCancel).c_str());
    SetPosition(0, 0, GetDpiScale().Pixels(kWidth), GetDpiScale().Pixels(kHeight), SWP_NOMOVE);
    Centre();
}

void ProgressWindow::OnSize(WPARAM, LPARAM) {
    // Size messages arrive while the window is being made, before its content exists.
    if (cancelButton_.GetHandle() == nullptr) return;
    const DpiScale& scale = GetDpiScale();
    RECT client;
    GetClientRect(&client);
    int margin = scale.Pixels(kMargin);
    int left = client.left + margin;
    int right = client.right - margin;
    int top = client.top + margin;
    int barTop = top + scale.Pixels(kTextHeight);
    text_.SetPositionRect({left, top, right, barTop}, SWP_SHOWWINDOW);
    bar_.SetPositionRect({left, barTop, right, barTop + scale.Pixels(kBarHeight)}, SWP_SHOWWINDOW);
    int bottom = client.bottom - margin;
    cancelButton_.SetPositionRect(
        {right - scale.Pixels(kButtonWidth), bottom - scale.Pixels(kButtonHeight), right, bottom}, SWP_SHOWWINDOW);
}

int ProgressWindow::OnCommandMessage(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == kCancelCommand) cancelled_ = true;
    return 0;
}

int ProgressWindow::OnClose() {
    cancelled_ = true;
    return 1;
}

void ProgressWindow::ShowProgress(const wchar_t* text, int64_t done, int64_t total) {
    text_.SetText(text);
    bar_.SetProgress(done, total);
}

}  // namespace gui
