// SystemLook: the system's settings that the board's look follows, and the caption's colour.
#pragma once

#include <windows.h>

// What Windows says about colours, read when asked (the window asks at creation and on
// WM_SETTINGCHANGE and WM_SYSCOLORCHANGE), and the one caption attribute the board sets.
namespace SystemLook {

// A High Contrast theme is on (SPI_GETHIGHCONTRAST).
bool IsHighContrast();
// The apps' mode is dark: AppsUseLightTheme 0 under the current user's
// Software\Microsoft\Windows\CurrentVersion\Themes\Personalize. Light without the value
// (Windows before 10).
bool AppsUseDarkMode();
// Draws the window's caption dark or light where Windows can (the documented DWM
// attribute of Windows 10 2004 and later, or its number before, 1809 to 1909); elsewhere
// nothing happens. dwmapi is looked up at run time, so the program starts on Vista.
void SetDarkCaption(HWND window, bool dark);

}  // namespace SystemLook
