// EnneoApp: the program's application, owner of the board window.
#pragma once

#include "EnneoWindow.h"
#include "keeping/GameOwner.h"
#include "WindowsApplication.h"

// Creates and shows the board window, which goes on with the kept game and opens the file
// named on the command line, and runs the message loop until the program ends; the game
// is kept once more then. With Resume Last Game on, a start while another copy keeps
// the game hands its file over to that copy instead (GameOwner) and ends.
class EnneoApp final : public WindowsApplication {
public:
    // The update service and key of the board window (see EnneoWindow).
    EnneoApp(const wchar_t* updateUrl, const wchar_t* updatePublicKey)
        : WindowsApplication(L"EnneoApp", false), board_(updateUrl, updatePublicKey) {}

    int Run() override;
    EnneoWindow& GetBoard() { return board_; }

private:
    GameOwner owner_;
    EnneoWindow board_;
};
