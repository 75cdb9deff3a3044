// CommonControl: the base of the controls of the common-controls library.
#include "CommonControl.h"

#include "common/Exception.h"
#include "common/util/SystemLibrary.h"

static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "INITCOMMONCONTROLSEX is 8 bytes on every Windows");

namespace gui {

namespace {

// InitCommonControlsEx of comctl32.dll from the system folder (the manifest's version
// 6), found on first use; FALSE when the library cannot be loaded.
BOOL WINAPI InitialiseFromSystem(const INITCOMMONCONTROLSEX* classes) {
    try {
        static const auto initialise =
            util::SystemLibrary(L"comctl32.dll").Find<decltype(InitCommonControlsEx)>("InitCommonControlsEx");
        return initialise(classes);
    } catch (Exception* e) {
        delete e;
        return FALSE;
    }
}

CommonControl::Initialiser initialise = &InitialiseFromSystem;
bool initialised = false;

}  // namespace

CommonControl::CommonControl(const wchar_t* className, const wchar_t* systemClassName)
    : WindowControl(className, systemClassName) {
    Initialise();
}

bool CommonControl::Initialise() {
    if (initialised) return true;
    // The tree view's classes, which take the tooltip's with them.
    INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_TREEVIEW_CLASSES};
    initialised = initialise(&classes) != FALSE;
    return initialised;
}

CommonControl::Initialiser CommonControl::SetInitialiser(Initialiser initialiser) {
    Initialiser previous = initialise;
    initialise = initialiser != nullptr ? initialiser : &InitialiseFromSystem;
    initialised = false;
    return previous;
}

}  // namespace gui
