// MainWindowBase: the base of the program's top-level windows.
#include "MainWindowBase.h"

#include "common/Exception.h"
#include "common/IApplication.h"
#include "common/LastErrorText.h"

namespace gui {

MainWindowBase::MainWindowBase(const wchar_t* className) : Window(className) {
    SetStyle(GetStyle() | WS_OVERLAPPEDWINDOW);
    SetRegisterClass(true);
}

void MainWindowBase::PreRegisterClass(WNDCLASSEXW&) {}

void MainWindowBase::SetIcon(WORD iconId) {
    HANDLE icon = LoadImageW(GetInstance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED);
    if (icon == nullptr) throw new Exception(L"MainWindowBase::SetIcon(%i) %s", iconId, GetLastErrorText());
    SendMessageW(GetHandle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(GetHandle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void MainWindowBase::OnCreate() {
    SetIcon(kProgramIcon);
    SetText(IApplication::GetCurrent()->GetApplicationName());
    Centre();
}

void MainWindowBase::Centre() {
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT client = {};
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    SetPosition((work.right - work.left - width) / 2, (work.bottom - work.top - height) / 2, width, height,
                SWP_SHOWWINDOW);
}

int MainWindowBase::OnClose() {
    PostQuitMessage(0);
    return 1;
}

}  // namespace gui
