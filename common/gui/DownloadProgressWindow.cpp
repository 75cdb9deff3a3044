// DownloadProgressWindow: the small window that shows a download and lets the user stop it.
#include "DownloadProgressWindow.h"

#include "common/String.h"

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

DownloadProgressWindow::DownloadProgressWindow() : MainWindowBase(L"DownloadProgressWindow") {
    // A pop-up with a caption and a close box only.
    SetStyle((GetStyle() & ~(WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) | WS_POPUP | WS_CAPTION | WS_SYSMENU);
}

void DownloadProgressWindow::PreRegisterClass(WNDCLASSEXW& windowClass) {
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

void DownloadProgressWindow::OnCreate() {
    SetIcon(kProgramIcon);
    text_.Create(GetHandle());
    bar_.Create(GetHandle());
    cancelButton_.SetCommandId(kCancelCommand);
    cancelButton_.Create(GetHandle());
    cancelButton_.SetText(L"Cancel");
    SetPosition(0, 0, GetDpiScale().Pixels(kWidth), GetDpiScale().Pixels(kHeight), SWP_NOMOVE);
    Centre();
}

void DownloadProgressWindow::OnSize(WPARAM, LPARAM) {
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

int DownloadProgressWindow::OnCommandMessage(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == kCancelCommand) cancelled_ = true;
    return 0;
}

int DownloadProgressWindow::OnClose() {
    cancelled_ = true;
    return 1;
}

void DownloadProgressWindow::ShowProgress(const wchar_t* what, int64_t received, int64_t total) {
    String text;
    if (total >= 0) {
        text.Format(L"%s\n%d KB of %d KB", what, static_cast<int>(received / 1024), static_cast<int>(total / 1024));
    } else {
        text.Format(L"%s\n%d KB", what, static_cast<int>(received / 1024));
    }
    text_.SetText(text.GetText());
    bar_.SetProgress(received, total);
}

}  // namespace gui
