// DownloadProgressWindow: the small window that shows a download and lets the user stop it.
#pragma once

#include "ButtonControl.h"
#include "MainWindowBase.h"
#include "ProgressBarControl.h"
#include "StaticControl.h"

#include <cstdint>

namespace gui {

// A captioned pop-up with a line of text (what is fetched and how much of it has come),
// a progress bar and a "Cancel" button. Cancel and the close box only mark the
// download as cancelled: the code that runs the download asks IsCancelled between its
// receives, pumping the thread's messages meanwhile, and destroys the window at its end.
class DownloadProgressWindow : public MainWindowBase {
public:
    static constexpr WORD kCancelCommand = 505;

    DownloadProgressWindow();

    void PreRegisterClass(WNDCLASSEXW& windowClass) override;
    // Builds the content in a 380 x 165 window, centred; every size here is in pixels at
    // 96 DPI, scaled to the window's DPI.
    void OnCreate() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    int OnCommandMessage(WPARAM wParam, LPARAM lParam) override;
    // Cancels instead of ending the program.
    int OnClose() override;

    // Shows "<what>\n<received> KB of <total> KB" (without a total: "<received> KB")
    // and fills the bar; total is -1 when unknown.
    void ShowProgress(const wchar_t* what, int64_t received, int64_t total);
    bool IsCancelled() const { return cancelled_; }

    const ButtonControl& GetCancelButton() const { return cancelButton_; }

private:
    StaticControl text_;
    ProgressBarControl bar_;
    ButtonControl cancelButton_;
    bool cancelled_ = false;
};

}  // namespace gui
