// WindowsApplication: an application with a message loop.
#include "WindowsApplication.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"
#include "common/gui/Window.h"
#include "common/gui/WindowMessageRouter.h"

int WindowsApplication::MessageLoop() {
    HACCEL accelerators = nullptr;
    if (acceleratorId_ != 0) {
        accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(acceleratorId_));
        if (accelerators == nullptr) throw new Exception(L"WindowsApplication::MessageLoop()\n%s", GetLastErrorText());
    }
    gui::WindowMessageRouter* router = gui::WindowMessageRouter::GetInstance();
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0)) {
        if (accelerators != nullptr && TranslateAcceleratorW(message.hwnd, accelerators, &message)) continue;
        if (mdiClient_ != nullptr && TranslateMDISysAccel(mdiClient_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        router->RaiseKeptException();
        gui::Window* window = router->LookUp(message.hwnd);
        if (window != nullptr && window->IsDestroyed()) router->DisposeWindow(window);
    }
    return static_cast<int>(message.wParam);
}
