// DpiScale: the DPI a window is drawn at, and sizes stated at 96 DPI turned into its pixels.
#include "DpiScale.h"

namespace gui {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// GetDpiForWindow of Windows 10 (1607 and later), or null. user32 is loaded already (the
// program imports it), so this loads nothing and searches no folder.
GetDpiForWindowFunction FindGetDpiForWindow() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
}

}  // namespace

DpiScale DpiScale::OfWindow(HWND window) {
    static const GetDpiForWindowFunction getDpiForWindow = FindGetDpiForWindow();
    if (getDpiForWindow != nullptr) {
        UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return DpiScale(static_cast<int>(dpi));
    }
    return OfSystem();
}

DpiScale DpiScale::OfSystem() {
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : kBaseDpi;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return DpiScale(dpi);
}

}  // namespace gui
