// RefusalTip: the balloon beside a cell that says why the board refused a key.
#include "RefusalTip.h"

#include "common/gui/CommonControl.h"

#include <commctrl.h>

namespace {

// The balloon's one tool, tracked, placed where Show points it; the mouse goes through
// the balloon, so that a click on a cell beneath it reaches the board.
TOOLINFOW Tool(HWND owner, const std::wstring& text) {
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // what every version of the library takes
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.hwnd = owner;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());  // copied by the control
    return tool;
}

}  // namespace

void RefusalTip::Show(HWND owner, POINT point, int maxWidth, const std::wstring& text) {
    TOOLINFOW tool = Tool(owner, text);
    if (handle_ == nullptr || !IsWindow(handle_)) {
        gui::CommonControl::Initialise();
        handle_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (handle_ == nullptr) return;  // the sound and a screen reader still tell it
        SendMessageW(handle_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(handle_, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    SendMessageW(handle_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(handle_, TTM_TRACKPOSITION, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(handle_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

void RefusalTip::Hide() {
    if (handle_ == nullptr || !IsWindow(handle_)) return;
    TOOLINFOW tool = Tool(GetWindow(handle_, GW_OWNER), std::wstring());
    SendMessageW(handle_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}
