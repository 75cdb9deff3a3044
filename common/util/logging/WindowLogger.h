// WindowLogger: the log window, a log sink that shows its texts in an edit control.
#pragma once

#include "ILogger.h"
#include "common/Thread/CriticalSection.h"
#include "common/Thread/Thread.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace util {
namespace logging {

// A top-level window with a menu and a multi-line edit control that shows every text
// logged to it while "Log to screen" is checked; the user may type into it too, and
// "Save &As ..." saves whatever it holds as UTF-16 lines. It registers a window class of
// its own and runs without the framework's Window and message router; its window
// belongs to the thread that first asked for it (the user-interface thread). Closing
// it, or its Exit item, hides it with its text, and the program goes on; Show brings it
// back. The object is also a Thread whose idle loop handles only messages posted to that
// thread. One per process, made on first request and never destroyed.
class WindowLogger final : public Thread, public ILogger {
public:
    // The log window's menu commands.
    enum Command : WORD {
        kSaveAs = 501,
        kExit = 502,
        kAbout = 503,
        kLogToScreen = 8012,
        kClear = 8013,
    };

    // Makes the log window, shows it and starts the thread on the first call; later
    // calls return the same object and show nothing.
    static WindowLogger* GetInstance();
    // After a change of language: the log window, if one was made, shows its texts in
    // the new language on its own thread. Any thread may call it; none waits.
    static void RetellTexts();
    // Shows the log window again after it was closed, with the text it had.
    void Show();

    // The thread's body: a message loop for the messages posted to the thread.
    intptr_t Run() override;
    // Appends the text at the end of the edit control, a lone "\n" turned into "\r\n"
    // and no line end added. Dropped while "Log to screen" is unchecked; without a
    // window it goes to the diagnostic channel. Any thread may call it and none waits:
    // on the window's thread the text is shown at once, and from any other it waits
    // (in the order the texts came) until the window's thread next handles its
    // messages; texts still waiting when the window is destroyed go to the diagnostic
    // channel.
    void Log(const wchar_t* text) override;

    // Registers the window class "Thread"; raises when the system refuses.
    void RegisterClass();
    // Makes and shows the log window with its edit control, font and menu, in place of
    // an earlier one; logging is switched on. Raises when the window cannot be made.
    bool InitInstance();
    // Gives the window its caption and its menu in the current language, as made and
    // after a change of language; the menu's check marks stay.
    void ShowTexts();
    // Asks for a file name and saves the edit control's lines into it, each followed by
    // "\r\n"; false when the dialog was cancelled. Raises when the file cannot be written.
    bool SaveAs();

    // For the window's thread.
    HWND GetWindow() const { return window_; }
    HWND GetEditControl() const { return edit_; }
    bool IsLoggingToScreen() const { return logToScreen_; }

private:
    WindowLogger();

    static LRESULT CALLBACK WindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnCommand(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    // The menu's Save As: a failed save is told in a box owned by the log window, and
    // the program goes on.
    void OnSaveAs();
    void OnDestroy(HWND handle);
    void OnSize();
    // Takes the window to the size Windows suggests for the new DPI, with its font.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Makes the edit control's font ("Courier New", 15 pixels at 96 DPI) for the DPI and
    // installs it in place of the one before.
    void ShowFont(int dpi);
    void Close();
    void ToggleLogToScreen();
    void BuildMenu();
    // On the window's thread: appends the texts that wait to the edit control.
    void ShowPending();

    static WindowLogger* instance_;

    // The window and its edit control belong to the thread that made them, which alone
    // writes these members and uses the edit control; it changes window_, which Log
    // reads on every thread, only under lock_. lock_ also guards the texts that wait
    // for that thread and whether a message to show them is on its way.
    CriticalSection lock_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    DWORD windowThread_ = 0;
    std::wstring pending_;
    bool showPosted_ = false;
    HFONT font_ = nullptr;
    std::wstring programName_;  // in the caption: the program's name when the window was made
    HANDLE ready_;  // set once the thread has its message queue
    std::atomic<bool> logToScreen_{true};
};

}  // namespace logging
}  // namespace util
