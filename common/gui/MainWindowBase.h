// MainWindowBase: the base of the program's top-level windows.
#pragma once

#include "Window.h"

namespace gui {

// An overlapped window with its own registered class, the program icon, the
// application's name as caption and a centred position. Closing it does not destroy it:
// it ends the message loop.
class MainWindowBase : public Window {
public:
    explicit MainWindowBase(const wchar_t* className);

    void PreRegisterClass(WNDCLASSEXW& windowClass) override;
    // Icon 100, the application's name as caption, centred in the work area.
    void OnCreate() override;
    // Posts the quit message (code 0) and keeps the window.
    int OnClose() override;

    // Loads a shared icon resource and makes it the window's big and small icon;
    // raises when it cannot be loaded.
    void SetIcon(WORD iconId);

protected:
    // The program icon's resource identifier.
    static constexpr WORD kProgramIcon = 100;

    // Centres the window by the work area's size only, and makes the outer size the
    // former client size: the window's frame and caption are taken from its client area.
    void Centre();
};

}  // namespace gui
