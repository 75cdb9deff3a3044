// SessionNotification: a window told when the user's session is locked and unlocked.
#include "SessionNotification.h"

#include "common/Exception.h"
#include "common/util/SystemLibrary.h"

#include <wtsapi32.h>

namespace gui {

namespace {

// wtsapi32.dll, loaded once for the process; null where it cannot be.
const util::SystemLibrary* SessionLibrary() {
    static const util::SystemLibrary* library = []() -> const util::SystemLibrary* {
        try {
            return new util::SystemLibrary(L"wtsapi32.dll");  // kept for the process, as SystemLibrary says
        } catch (Exception* e) {
            delete e;
            return nullptr;
        }
    }();
    return library;
}

// The function procedure of wtsapi32.dll, or null.
template <typename Function>
Function* SessionFunction(const char* procedure) {
    const util::SystemLibrary* library = SessionLibrary();
    if (library == nullptr) return nullptr;
    try {
        return library->Find<Function>(procedure);
    } catch (Exception* e) {
        delete e;
        return nullptr;
    }
}

}  // namespace

void RegisterSessionNotification(HWND window) {
    if (auto* registerWindow =
            SessionFunction<decltype(WTSRegisterSessionNotification)>("WTSRegisterSessionNotification")) {
        registerWindow(window, NOTIFY_FOR_THIS_SESSION);
    }
}

void UnregisterSessionNotification(HWND window) {
    if (auto* unregisterWindow =
            SessionFunction<decltype(WTSUnRegisterSessionNotification)>("WTSUnRegisterSessionNotification")) {
        unregisterWindow(window);
    }
}

}  // namespace gui
