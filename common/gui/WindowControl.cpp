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

void WindowControl::OnCreate() { ShowFont(); }

void WindowControl::SetDpiScale(const DpiScale& scale) {
    Window::SetDpiScale(scale);
    ShowFont();
}

void WindowControl::SetTextFont(const TextFont& font) {
    textFont_ = font;
    ShowFont();
}

void WindowControl::ShowFont() {
    HFONT made = nullptr;  // owned by the control once installed
    auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (textFont_) {
        made = textFont_->MakeFont(GetDpiScale());
    } else if (GetDpiScale() != DpiScale::OfSystem()) {
        LOGFONTW description = {};
        GetObjectW(stock, sizeof(description), &description);
        description.lfHeight = GetDpiScale().FromDpi(description.lfHeight, DpiScale::OfSystem());
        made = CreateFontIndirectW(&description);
    }
    SendMessageW(GetHandle(), WM_SETFONT, reinterpret_cast<WPARAM>(made != nullptr ? made : stock), 0);
    SetFont(made);  // releases the font shown before
}

}  // namespace gui
