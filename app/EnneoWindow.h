// EnneoWindow: the board window, the program's main window.
#pragma once

#include "BoardMenu.h"
#include "BoardPainter.h"
#include "DigitPad.h"
#include "HelpWindow.h"
#include "RefusalTip.h"
#include "intake/RecentDocuments.h"
#include "print/PrintCommands.h"
#include "reader/BoardAccessible.h"
#include "board/BoardController.h"
#include "board/BoardGeometry.h"
#include "common/gui/AboutWindow.h"
#include "common/gui/MainWindowBase.h"
#include "common/util/version/VersionCheck.h"

#include <shellapi.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>

// Shows the board of its controller's game and turns the mouse, the keys and the menu
// into board commands: the controller runs them and answers what to show again, when to
// keep the game, which sentence to put into a box and what to tell a screen reader. So
// do activation, minimizing and the session's lock, which the game's clock follows, and
// a timer that runs while the caption shows the time. The board is drawn by a
// BoardPainter in the palette of the look that the theme and the system's settings
// give, and read by assistive technology through a BoardAccessible. The window itself
// runs the file and print dialogs, the clipboard's calls, drops, the help, About, Show
// Log, Check for Updates and Exit, and has the game kept where the program may end. A
// digit or key that a cell refuses gives the system's warning sound, and a balloon
// beside the cell says why until the next command, or for a few seconds.
class EnneoWindow : public gui::MainWindowBase {
public:
    // The program's home page, which About opens.
    static const wchar_t* const kHomePageUrl;

    // updateUrl: the update service's absolute "http://" URL; updatePublicKey: the base64
    // text of the publisher's PEM public key, empty for none (then no update is ever
    // installed). Both are copied. The update check runs here, before any window exists.
    // The board starts with the sample puzzle and the settings that the registered
    // application's properties keep (an application must be registered).
    EnneoWindow(const wchar_t* updateUrl, const wchar_t* updatePublicKey);

    // Caption "Enneo Tessary" (with the game's time while Show Timer is on), the board
    // menu and the program icon; the window is told when the session is locked.
    void OnCreate() override;
    // Once the window is shown: the game goes on from gameFile, where it is kept from
    // now on (empty: kept nowhere, see BoardController::Resume), and then the file
    // named on the command line, if any, is opened on top of it as Open would.
    void Start(const std::filesystem::path& gameFile, const wchar_t* file);
    // Keeps the game now, when it changed since it was last kept.
    void Keep();
    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    // The one-second wait for keeping the game, and the time in the caption.
    LRESULT OnTimer(WPARAM timerId) override;
    // Opens the files handed over by later starts of the program.
    int OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The board is centred, so a new size of the client area moves all of it: the whole
    // area is repainted (shrinking alone invalidates nothing), and the mouse finds the
    // cells where they will be drawn.
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    // Draws the whole client area (Draw) onto the window.
    void OnPaint(HDC deviceContext) override;
    // Disconnects the accessible object, which a client may still hold, and stops the
    // session's notifications.
    void OnDestroy() override;

    const BoardController& GetController() const { return controller_; }
    const BoardGeometry& GetGeometry() const { return geometry_; }
    const gui::AboutWindow& GetAboutWindow() const { return about_; }
    const HelpWindow& GetHelpWindow() const { return help_; }
    const RefusalTip& GetRefusalTip() const { return refusalTip_; }
    const DigitPad& GetDigitPad() const { return digitPad_; }
    // The look the board is drawn in now.
    BoardTheme::Look GetLook() const;

private:
    // The board menu made in the language spoken now, in place of the window's menu,
    // with the board's states and recent files.
    void MakeMenu();
    // After a change of language: the help, About and log windows that are open show
    // their texts in the new one.
    void ShowOpenWindowsTexts();
    void OnFileOpen();
    void OnFileSave();
    // File / New Puzzle (a menu item, or F2 to F4): made by the controller while the
    // progress window shows after a second; its Cancel leaves the board as it was.
    void OnNewPuzzle(PuzzleLevel level);
    // File / Print (the menu item or Ctrl+P): the board's puzzle.
    void OnPrint();
    // Creates the About window the first time, shows it and opens the home page.
    void OnAbout();
    // Shows the log window (made on first use, shown again after it was closed) and
    // registers it with the logger manager.
    void OnShowLog();
    // Runs a command of a menu item or a key: the window's own kinds (kOpen to kHelp)
    // and New Puzzle, with its progress, here; every other by the controller.
    void Run(const BoardCommand& command);
    void Execute(const BoardCommand& command);
    // Takes the board's snapshot again, repaints, brings the menu and the caption up to
    // date, sets the timer for the next change of the time shown, tells a screen reader
    // what changed, and shows the box that the answer asks for.
    void Apply(const BoardAnswer& answer);
    // The warning sound, and the refusal's reason in the balloon beside its cell.
    void ShowRefusal(const BoardAnswer::Refusal& refusal);
    void HideRefusal();
    // The board's geometry in the client area as it is now.
    void Measure();
    // Draws the whole client area into a memory bitmap and copies it to target once:
    // the window's own device context, or the one that WM_PRINTCLIENT gives.
    void Draw(HDC target);
    // Keeps the window's UI state (WM_CHANGEUISTATE) as Windows' controls do: the focus
    // cue shows once the keyboard is used (shown) and hides again at a click.
    void ChangeFocusCue(bool shown);
    // Frames the selected cell while the window has the focus and its UI state does not
    // hide focus cues; repaints when that changes.
    void ShowFocusCue();
    // The board as it is now, in its look's palette at the window's DPI.
    BoardPainter Painter() const;
    // Reads the system's High Contrast and dark-mode settings again, sets the caption's
    // colour to the look and repaints.
    void ApplyLook();
    // WM_GETOBJECT: the board's accessible object for OBJID_CLIENT, made on first
    // request; the default answer for every other object.
    LRESULT OnGetObject(HWND handle, WPARAM wParam, LPARAM lParam);
    // Draws the candidates of an empty cell at once, until the next repaint.
    void PeekCandidates(EnneoPuzzle::Cell cell);
    // A later start's file (GameOwner::HandOver), opened once this message is done.
    LRESULT OnCopyData(const COPYDATASTRUCT& data);
    // Opens a file dropped on the window as Open does; of several, the first.
    void OnDropFiles(HDROP drop);

    gui::AboutWindow about_;
    HelpWindow help_;  // made on the first F1
    // Computed by every paint, read by the mouse handlers.
    BoardGeometry geometry_;
    // Constructed before the controller: its start-up check runs before any window exists.
    util::version::VersionCheck versionCheck_;
    BoardController controller_;
    // What the painter, the menu and the accessible object show: the controller's board
    // as of the last answer applied.
    BoardSnapshot snapshot_;
    std::optional<BoardMenu> menu_;  // the window's menu, made again for a new language
    // Made on its first opening; reads the snapshot and the geometry above.
    DigitPad digitPad_;
    // Made on the first WM_GETOBJECT, with COM started on the window's thread for it;
    // none once the window is being destroyed.
    BoardAccessible* accessible_ = nullptr;
    bool comStarted_ = false;
    bool destroying_ = false;
    // The system's settings that choose the look with the theme, and the caption's colour.
    bool highContrast_ = false;
    bool appsDark_ = false;
    bool captionDark_ = false;
    // The UI state's UISF_HIDEFOCUS: set until the keyboard is used, so that a player of
    // the mouse sees the board as it has always been.
    bool hideFocus_ = true;
    bool focusCue_ = false;  // the selected cell's focus frame shows
    PrintCommands print_;
    RefusalTip refusalTip_;
    // Told of each file opened or saved; the window's end waits a moment for the last.
    RecentDocuments recentDocuments_;
    std::deque<std::wstring> handedOver_;  // files handed over, still to open
};
