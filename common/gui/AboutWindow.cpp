// AboutWindow: the pop-up that shows the program's name, version and company.
#include "AboutWindow.h"

#include "ShellOpen.h"
#include "common/IApplication.h"
#include "languages/Language.h"

#include <string>

namespace gui {

namespace {
// Sizes in pixels at 96 DPI.
const int kWidth = 280;
const int kHeight = 220;
const int kMargin = 10;
const int kTitleHeight = 15;
const int kIconSize = 48;
const int kButtonRight = 75;  // an absolute client coordinate
const int kButtonHeight = 25;
const int kButtonSpace = 35;  // from the information text's bottom to the client bottom, less the margin
const int kButtonDrop = 3;
}  // namespace

AboutWindow::AboutWindow() : MainWindowBase(L"AboutWindow"), titleFont_(L"Tahoma", kTitleHeight) {
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
    nameLabel_.Create(GetHandle());
    nameLabel_.SetText(application->GetApplicationName());
    titleFont_.SetBold(true);
    nameLabel_.SetTextFont(titleFont_);

    information_.Create(GetHandle());

    okButton_.SetCommandId(kOkCommand);
    okButton_.Create(GetHandle());
    ShowTexts();

    icon_.Create(GetHandle());
    icon_.SetImageId(kProgramIcon);
    ShowIcon(GetDpiScale());

    SetPosition(0, 0, GetDpiScale().Pixels(kWidth), GetDpiScale().Pixels(kHeight), SWP_NOMOVE);
    Centre();
}

void AboutWindow::ShowTexts() {
    IApplication* application = IApplication::GetCurrent();
    SetText(Language::Say(TextId::kAboutCaption, {application->GetApplicationName()}).c_str());
    std::wstring text = L"\n" + Language::Say(TextId::kAboutVersion, {application->GetProductVersion()}) + L"\n" +
                        application->GetFileDescription() + L"\n\n" + application->GetCompanyName();
    information_.SetText(text.c_str());
    okButton_.SetText(Language::Text(TextId::kDialogOk).c_str());
}

void AboutWindow::ShowIcon(const DpiScale& scale) {
    int size = scale.Pixels(kIconSize);
    icon_.SetImageSize(size, size);
    icon_.SetImage();
}

void AboutWindow::OnDpiChanged(const DpiScale& scale, const RECT& suggested) {
    // The icon first: the layout that the new size brings places it by its size.
    ShowIcon(scale);
    MainWindowBase::OnDpiChanged(scale, suggested);
}

void AboutWindow::OnSize(WPARAM, LPARAM) {
    // Size messages arrive while the window is being made, before its content exists.
    if (okButton_.GetHandle() == nullptr) return;
    const DpiScale& scale = GetDpiScale();
    RECT client;
    GetClientRect(&client);
    int margin = scale.Pixels(kMargin);
    int left = client.left + margin;
    int top = client.top + margin;
    int right = client.right - margin;
    int bottom = client.bottom - margin;
    int title = scale.Pixels(kTitleHeight);
    int iconSize = icon_.GetImageHeight();
    icon_.SetPositionRect({right - iconSize, top, right, top + iconSize}, SWP_SHOWWINDOW);
    nameLabel_.SetPositionRect({left, top, right, top + title}, SWP_SHOWWINDOW);
    information_.SetPositionRect({left, top + title, right, bottom - scale.Pixels(kButtonSpace)}, SWP_SHOWWINDOW);
    okButton_.SetPositionRect({left, bottom - scale.Pixels(kButtonHeight), scale.Pixels(kButtonRight), bottom},
                              SWP_SHOWWINDOW);

    // The button centred left to right, and a few pixels lower by the parent's frame.
    HWND button = okButton_.GetHandle();
    HWND parent = GetParent(button);
    RECT parentWindow, parentClient, buttonWindow, buttonClient;
    GetWindowRect(parent, &parentWindow);
    ::GetClientRect(parent, &parentClient);
    GetWindowRect(button, &buttonWindow);
    ::GetClientRect(button, &buttonClient);
    int drop = scale.Pixels(kButtonDrop);
    okButton_.SetPosition((parentClient.right - buttonClient.right) / 2,
                          buttonWindow.top + drop + parentClient.bottom - parentWindow.bottom, 0, 0, SWP_NOSIZE);
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
