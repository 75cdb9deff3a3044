// DialogDriver: answers the dialog boxes a test makes the program show.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

// Waits on a thread of its own for each expected dialog box in turn (message boxes and
// file dialogs: class "#32770"), records its message text, types a file name when one
// is given, and presses a button. The code under test runs the modal loops on the test's
// own thread meanwhile, or in another process whose boxes the driver is told to watch.
// Destruction waits for the thread: each box is waited for at most twenty seconds, so
// a missing box fails the test instead of hanging it.
class DialogDriver {
public:
    struct Answer {
        std::wstring caption;   // the box's caption; empty: any dialog box
        std::wstring fileName;  // typed into a file dialog's name field; empty: none
        int button;             // the button pressed: IDOK, IDCANCEL, IDYES, ...
    };

    // process: the process whose boxes are answered; 0 for this one.
    explicit DialogDriver(std::vector<Answer> answers, DWORD process = 0);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Waits for the thread, then gives each box's message text in order ("" for a box
    // without one); a box that never came gives "<no dialog>".
    std::vector<std::wstring> Texts();

    // True while the process has any dialog window: a box still being made, or one that
    // is going, counts too.
    static bool HasDialog(DWORD process);

private:
    void Respond(const Answer& answer);

    std::vector<Answer> answers_;
    DWORD process_;
    std::vector<std::wstring> texts_;
    std::vector<HWND> answered_;
    std::thread thread_;
};
