// Where a test finds a control and what font it shows.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

// A control's rectangle in its parent's client coordinates.
inline RECT PlaceOf(HWND control, HWND parent) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline void ExpectRect(const RECT& expected, const RECT& actual, const char* what) {
    EXPECT_EQ(expected.left, actual.left) << what;
    EXPECT_EQ(expected.top, actual.top) << what;
    EXPECT_EQ(expected.right, actual.right) << what;
    EXPECT_EQ(expected.bottom, actual.bottom) << what;
}

// The height of the font a window shows its text in, as it was made.
inline int FontHeight(HWND window) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW description = {};
    GetObjectW(font, sizeof(description), &description);
    return description.lfHeight;
}

// Sends WM_DPICHANGED as Windows does when a window moves to a display of that DPI,
// with a suggested rectangle at the window's place whose client area would be
// clientWidth x clientHeight; expects the window to take it.
inline void ChangeDpi(HWND window, int dpi, int clientWidth, int clientHeight) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    RECT suggested = {outer.left, outer.top, outer.left + clientWidth + (outer.right - outer.left) - client.right,
                      outer.top + clientHeight + (outer.bottom - outer.top) - client.bottom};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    GetWindowRect(window, &outer);
    EXPECT_EQ(suggested.left, outer.left);
    EXPECT_EQ(suggested.top, outer.top);
    EXPECT_EQ(suggested.right - suggested.left, outer.right - outer.left);
    EXPECT_EQ(suggested.bottom - suggested.top, outer.bottom - outer.top);
}
