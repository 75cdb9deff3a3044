// WindowsApplication: an application with a message loop.
#pragma once

#include "Application.h"

#include <windows.h>

// Adds the message loop that dispatches every message of the thread's windows and
// disposes of the windows destroyed through Window::Destroy.
class WindowsApplication : public Application {
public:
    WindowsApplication(const wchar_t* className, bool logging) : Application(className, logging) {}

    // Runs until the quit message and returns its code. An Exception raised while a
    // message is handled leaves the loop.
    int MessageLoop();

protected:
    // An accelerator table resource for the loop to load; 0 for none.
    void SetAcceleratorId(WORD acceleratorId) { acceleratorId_ = acceleratorId; }
    void SetMDIClient(HWND mdiClient) { mdiClient_ = mdiClient; }

private:
    WORD acceleratorId_ = 0;
    HWND mdiClient_ = nullptr;
};
