// SysLinkControl: a text that may hold links.
#pragma once

#include "CommonControl.h"

namespace gui {

// A control of the common controls' class "SysLink" (version 6, which the program's
// manifest asks for). A clicked link reaches the parent as WM_NOTIFY with an NMLINK.
class SysLinkControl : public CommonControl {
public:
    SysLinkControl() : CommonControl(L"SysLinkControl", WC_LINK) {}
};

}  // namespace gui
