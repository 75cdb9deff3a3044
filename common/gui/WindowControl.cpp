// WindowControl: the root of the control classes, child windows of a system class.
#include "WindowControl.h"

namespace gui {

WindowControl::WindowControl(const wchar_t* className, const wchar_t* systemClassName, DWORD extraStyle)
    : Window(className) {
    SetStyle(WS_CHILD | WS_VISIBLE | extraStyle);
    SetWindowClassName(systemClassName);
}

void WindowControl::SetPosition(int x, int y, int width, int height, UINT flags) {
    Window::SetPosition(x, y, LimitWidth(width), height, flags);
}

int WindowControl::LimitWidth(int width) const {
    if (width == 0) return maxWidth_;
    return maxWidth_ > 0 && maxWidth_ < width ? maxWidth_ : width;
}

void WindowControl::OnCreate() {
    SendMessageW(GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
}

void WindowControl::SetTextFont(const TextFont& font) {
    HFONT created = font.MakeFont();
    SetFont(created);
    SendMessageW(GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(created), 0);
}

}  // namespace gui
