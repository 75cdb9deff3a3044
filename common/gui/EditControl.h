// EditControl: a box of text the user can read, select and copy, or type into.
#pragma once

#include "WindowControl.h"

namespace gui {

// A control of the system class "Edit", with the styles the owner gives it (ES_MULTILINE,
// ES_READONLY, WS_VSCROLL, ...) besides a visible child's.
class EditControl : public WindowControl {
public:
    explicit EditControl(DWORD extraStyle) : WindowControl(L"EditControl", L"Edit", extraStyle) {}
};

}  // namespace gui
