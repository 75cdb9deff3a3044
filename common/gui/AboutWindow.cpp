// AboutWindow: the pop-up that shows the program's name, version and company.
#include "AboutWindow.h"

#include "ShellOpen.h"
#include "common/IApplication.h"
#include "common/String.h"

namespace gui {

namespace {
const int kMargin = 10;
const int kTitleHeight = 15;
const int kIconSize = 48;
}  // namespace

AboutWindow::AboutWindow() : MainWindowBase(L"AboutWindow"), titleFont_(L"Tahoma", 15) {
    // A pop-up with a caption only: no system menu, sizing frame or boxes.
    SetStyle((GetStyle() & ~(WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) | WS_POPUP | WS_CAPTION);
}

void AboutWindow::PreRegisterClass(WNDCLASSEXW& windowClass) {
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
}

void AboutWindow::OnCreate() {
    SetIcon(kProgramIcon);
    Centre();
    IApplication* application = IApplication::GetCurrent();
    String caption;
    SetText(caption.Format(L"About %s", application->GetApplicationName()));

    nameLabel_.Create(GetHandle());
    nameLabel_.SetText(application->GetApplicationName());
    titleFont_.SetBold(true);
    nameLabel_.SetTextFont(titleFont_);

    information_.Create(GetHandle());
    String text;
    information_.SetText(text.Format(L"\nVersion %s\n%s\n\n%s", application->GetProductVersion(),
                                     application->GetFileDescription(), application->GetCompanyName()));

    okButton_.SetCommandId(kOkCommand);
    okButton_.Create(GetHandle());
    okButton_.SetText(L"OK");

    icon_.Create(GetHandle());
    icon_.SetImageId(kProgramIcon);
    icon_.SetImage();
    icon_.SetImageSize(kIconSize, kIconSize);

    SetPosition(0, 0, 280, 220, SWP_NOMOVE);
    Centre();
}

void AboutWindow::OnSize(WPARAM, LPARAM) {
    // Size messages arrive while the window is being made, before its content exists.
    if (okButton_.GetHandle() == nullptr) return;
    RECT client;
    GetClientRect(&client);
    int left = client.left + kMargin;
    int top = client.top + kMargin;
    int right = client.right - kMargin;
    int bottom = client.bottom - kMargin;
    int iconSize = icon_.GetImageHeight();
    icon_.SetPositionRect({right - iconSize, top, right, top + iconSize}, SWP_SHOWWINDOW);
    nameLabel_.SetPositionRect({left, top, right, top + kTitleHeight}, SWP_SHOWWINDOW);
    information_.SetPositionRect({left, top + kTitleHeight, right, bottom - 35}, SWP_SHOWWINDOW);
    okButton_.SetPositionRect({left, bottom - 25, 75, bottom}, SWP_SHOWWINDOW);

    // The button centred left to right, and a few pixels lower by the parent's frame.
    HWND button = okButton_.GetHandle();
    HWND parent = GetParent(button);
    RECT parentWindow, parentClient, buttonWindow, buttonClient;
    GetWindowRect(parent, &parentWindow);
    ::GetClientRect(parent, &parentClient);
    GetWindowRect(button, &buttonWindow);
    ::GetClientRect(button, &buttonClient);
    okButton_.SetPosition((parentClient.right - buttonClient.right) / 2,
                          buttonWindow.top + 3 + parentClient.bottom - parentWindow.bottom, 0, 0, SWP_NOSIZE);
}

LRESULT AboutWindow::MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // Escape reaches the window while it has the keyboard focus, as it has once shown.
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        OnClose();
        return 0;
    }
    return MainWindowBase::MessageHandler(handle, message, wParam, lParam);
}

int AboutWindow::OnCommandMessage(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) != kOkCommand) return 0;
    return ShowWindow(GetHandle(), SW_HIDE);
}

int AboutWindow::OnClose() {
    ShowWindow(GetHandle(), SW_HIDE);
    return 1;
}

LRESULT AboutWindow::OnNotify(WPARAM, LPARAM lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(NM_CLICK) && header->code != static_cast<UINT>(NM_RETURN)) return 0;
    // Only the information text sends an NMLINK; any other sender's notification may be
    // shorter, so its link item is never read.
    if (information_.GetHandle() == nullptr || header->hwndFrom != information_.GetHandle()) return 0;
    LITEM item = reinterpret_cast<const NMLINK*>(lParam)->item;
    if (item.iLink != 0) return 0;
    ShellOpen(nullptr, item.szUrl, SW_SHOW);
    return 1;
}

}  // namespace gui
