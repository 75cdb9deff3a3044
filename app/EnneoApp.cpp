// EnneoApp: the program's application, owner of the board window.
#include "EnneoApp.h"

int EnneoApp::Run() {
    board_.Create(nullptr);
    board_.Show(SW_SHOWNORMAL);
    return MessageLoop();
}
