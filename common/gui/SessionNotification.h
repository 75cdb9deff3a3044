// SessionNotification: a window told when the user's session is locked and unlocked.
#pragma once

#include <windows.h>

namespace gui {

// Asks that window receive WM_WTSSESSION_CHANGE for its own session (WTS_SESSION_LOCK,
// WTS_SESSION_UNLOCK and the others), through WTSRegisterSessionNotification of
// wtsapi32.dll, which is loaded from the system folder when first needed: it is not a
// DLL that Windows always takes from there. Where the DLL or the call fails, the window
// is simply not told; nothing is raised.
void RegisterSessionNotification(HWND window);
// Ends it, before the window is destroyed; nothing for a window never registered.
void UnregisterSessionNotification(HWND window);

}  // namespace gui
