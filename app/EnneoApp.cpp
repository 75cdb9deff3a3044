// EnneoApp: the program's application, owner of the board window.
#include "EnneoApp.h"

int EnneoApp::Run() {
    board_.Create(nullptr);
    board_.Show(SW_SHOWNORMAL);
    // IDR_BOARD_ACCELERATORS (Alt+/ for About) stays in the resources but is not loaded:
    // the board has always let that key through as typed.
    return MessageLoop();
}
