// CommonControl: the base of the controls of the common-controls library.
#include "CommonControl.h"

static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "INITCOMMONCONTROLSEX is 8 bytes on every Windows");

namespace gui {

namespace {
CommonControl::Initialiser initialise = &InitCommonControlsEx;
bool initialised = false;
}  // namespace

CommonControl::CommonControl(const wchar_t* className, const wchar_t* systemClassName)
    : WindowControl(className, systemClassName) {
    if (initialised) return;
    INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
    initialised = initialise(&classes) != FALSE;
}

CommonControl::Initialiser CommonControl::SetInitialiser(Initialiser initialiser) {
    Initialiser previous = initialise;
    initialise = initialiser != nullptr ? initialiser : &InitCommonControlsEx;
    initialised = false;
    return previous;
}

}  // namespace gui
