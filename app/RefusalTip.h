// RefusalTip: the balloon beside a cell that says why the board refused a key.
#pragma once

#include <windows.h>

#include <string>

// A tracking balloon tooltip owned by the board window, its stem pointed at a place on
// the screen, that shows one sentence until it is hidden. It is made on first use (and
// again when its owner was destroyed, which destroys it), and never takes the focus, so
// that the keys go on reaching the board.
class RefusalTip {
public:
    // Shows text in the balloon, its stem at point (screen coordinates), over owner;
    // a line wider than maxWidth pixels wraps.
    void Show(HWND owner, POINT point, int maxWidth, const std::wstring& text);
    void Hide();
    // The balloon's window, null before the first Show.
    HWND GetHandle() const { return handle_; }

private:
    HWND handle_ = nullptr;
};
