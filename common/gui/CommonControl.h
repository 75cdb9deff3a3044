// CommonControl: the base of the controls of the common-controls library.
#pragma once

#include "WindowControl.h"

#include <commctrl.h>

namespace gui {

// A control whose class the common-controls library provides. Constructing one makes
// sure the library has been initialised: InitCommonControlsEx, of the comctl32.dll
// that the manifest names and the system folder holds, is called until a call
// succeeds, and never again afterwards.
class CommonControl : public WindowControl {
public:
    // The initialisation call, InitCommonControlsEx unless a test put a recorder in its
    // place; null puts InitCommonControlsEx back. A new call has not succeeded yet, so
    // the next construction calls it. Returns the call that was in place.
    using Initialiser = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static Initialiser SetInitialiser(Initialiser initialiser);
    // Initialises the library unless a call succeeded already, for a window of one of
    // its classes that is no control (a tooltip, say); whether it is initialised.
    static bool Initialise();

protected:
    CommonControl(const wchar_t* className, const wchar_t* systemClassName);
};

}  // namespace gui
