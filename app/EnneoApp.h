// EnneoApp: the program's application, owner of the board window.
#pragma once

#include "EnneoWindow.h"
#include "keeping/GameOwner.h"
#include "WindowsApplication.h"

#include <optional>
#include <string>

// Creates and shows the board window, which goes on with the kept game and opens the file
// named on the command line, and runs the message loop until the program ends; the game
// is kept once more then. With Resume Last Game on, a start while another copy keeps
// the game hands its file over to that copy instead (GameOwner) and ends, before the
// board window, and with it the update check, is made: a double-click on a puzzle file
// neither waits for the service nor shows an offer of its own.
class EnneoApp final : public WindowsApplication {
public:
    // The update service and key of the board window (see EnneoWindow), copied. Chooses
    // the language the program speaks, before any text is made: Options / Language's, or
    // Windows' display language (BoardSettings::GetSpokenLanguage).
    EnneoApp(const wchar_t* updateUrl, const wchar_t* updatePublicKey);

    int Run() override;
    // The board window, which Run makes; only valid once Run has made it.
    EnneoWindow& GetBoard() { return *board_; }

private:
    const std::wstring updateUrl_;
    const std::wstring updatePublicKey_;
    GameOwner owner_;
    std::optional<EnneoWindow> board_;
};
