// ProgressFeedback: keeps the windows alive and shows the progress while long work (a download, a print job) blocks the thread.
#pragma once

#include "ProgressWindow.h"

#include "common/String.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>

namespace gui {

// From its construction the thread's messages are pumped between the work's steps, so
// that the windows stay painted, while the active window (the board) is disabled as
// under a modal dialog; once the work has taken longer than a second the progress
// window shows, with its Cancel button. With the object the active window is enabled
// again before the progress window goes (so that Windows gives it back the activation)
// and gets back the keyboard focus, which disabling took from it.
class ProgressFeedback {
public:
    // caption: the progress window's; copied.
    explicit ProgressFeedback(const wchar_t* caption);
    ~ProgressFeedback();
    ProgressFeedback(const ProgressFeedback&) = delete;
    ProgressFeedback& operator=(const ProgressFeedback&) = delete;

    // Shows the progress (text: what is done and how much; done of total, -1 when
    // unknown) and pumps the messages; false when the user has cancelled, or the program
    // is asked to end.
    bool Update(const wchar_t* text, int64_t done, int64_t total);

private:
    String caption_;
    std::chrono::steady_clock::time_point start_;
    HWND owner_;
    HWND focus_;  // the window that had the focus when the work began
    std::unique_ptr<ProgressWindow> window_;
};

}  // namespace gui
