// StaticControl: a text label.
#pragma once

#include "WindowControl.h"

namespace gui {

// A control of the system class "Static" showing one text.
class StaticControl : public WindowControl {
public:
    StaticControl() : WindowControl(L"StaticControl", L"Static") {}

protected:
    StaticControl(const wchar_t* className, DWORD extraStyle) : WindowControl(className, L"Static", extraStyle) {}
};

}  // namespace gui
