// SystemLook: the system's settings that the board's look follows, and the caption's colour.
#include "SystemLook.h"

#include "common/util/SystemLibrary.h"

#include <dwmapi.h>

namespace SystemLook {

bool IsHighContrast() {
    HIGHCONTRASTW highContrast = {};
    highContrast.cbSize = sizeof(highContrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(highContrast), &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool AppsUseDarkMode() {
    DWORD light = 1;
    DWORD size = sizeof(light);
    LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                     L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

void SetDarkCaption(HWND window, bool dark) {
    // DWMWA_USE_IMMERSIVE_DARK_MODE, and the number it had before Windows 10 2004.
    const DWORD kDarkMode = 20, kDarkModeBefore2004 = 19;
    static const auto setAttribute =
        util::SystemLibrary::FindOptional<decltype(DwmSetWindowAttribute)>(L"dwmapi.dll", "DwmSetWindowAttribute");
    if (setAttribute == nullptr) return;
    BOOL value = dark ? TRUE : FALSE;
    if (FAILED(setAttribute(window, kDarkMode, &value, sizeof(value)))) {
        setAttribute(window, kDarkModeBefore2004, &value, sizeof(value));
    }
}

}  // namespace SystemLook
