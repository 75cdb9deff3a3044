// EnneoApp: the program's application, owner of the board window.
#pragma once

#include "EnneoWindow.h"
#include "WindowsApplication.h"

// Creates and shows the board window and runs the message loop until the program ends.
class EnneoApp final : public WindowsApplication {
public:
    EnneoApp() : WindowsApplication(L"EnneoApp", false) {}

    int Run() override;
    EnneoWindow& GetBoard() { return board_; }

private:
    EnneoWindow board_;
};
