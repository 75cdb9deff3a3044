// EnneoApp: the program's application, owner of the board window.
#pragma once

#include "EnneoWindow.h"
#include "WindowsApplication.h"

// Creates and shows the board window and runs the message loop until the program ends.
class EnneoApp final : public WindowsApplication {
public:
    // The update service and key of the board window (see EnneoWindow).
    EnneoApp(const wchar_t* updateUrl, const wchar_t* updatePublicKey)
        : WindowsApplication(L"EnneoApp", false), board_(updateUrl, updatePublicKey) {}

    int Run() override;
    EnneoWindow& GetBoard() { return board_; }

private:
    EnneoWindow board_;
};
