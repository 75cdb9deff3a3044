// ButtonControl: a push button.
#pragma once

#include "WindowControl.h"

namespace gui {

// A control of the system class "Button". Its child identifier is the command it
// sends its parent when it is pressed.
class ButtonControl : public WindowControl {
public:
    ButtonControl() : WindowControl(L"ButtonControl", L"Button") {}

    // Set before Create.
    void SetCommandId(WORD commandId) { SetMenuOrId(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(commandId))); }
};

}  // namespace gui
