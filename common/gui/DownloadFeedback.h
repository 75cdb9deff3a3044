// DownloadFeedback: keeps the windows alive and shows the progress while a download blocks the thread.
#pragma once

#include "DownloadProgressWindow.h"

#include "common/String.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <memory>

namespace gui {

// From its construction the thread's messages are pumped between receives, so that the
// windows stay painted, while the active window (the board, for a check from the menu)
// is disabled as under a modal dialog; once the download has taken longer than a second
// the progress window shows, with its Cancel button. The active window is enabled again
// and the progress window goes with the object.
class DownloadFeedback {
public:
    // caption: the progress window's; copied.
    explicit DownloadFeedback(const wchar_t* caption);
    ~DownloadFeedback();
    DownloadFeedback(const DownloadFeedback&) = delete;
    DownloadFeedback& operator=(const DownloadFeedback&) = delete;

    // Shows the progress of what is downloaded and pumps the messages; false when the
    // user has cancelled, or the program is asked to end.
    bool Update(const wchar_t* what, int64_t received, int64_t announced);

private:
    String caption_;
    std::chrono::steady_clock::time_point start_;
    HWND owner_;
    std::unique_ptr<DownloadProgressWindow> window_;
};

}  // namespace gui
