// ProgressWindow: the small window that shows a long piece of work (a download, a print job) and lets the user stop it.
#pragma once

#include "ButtonControl.h"
#include "MainWindowBase.h"
#include "ProgressBarControl.h"
#include "StaticControl.h"

#include <cstdint>

namespace gui {

// A captioned pop-up with two lines of text (what is done and how much of it), a
// progress bar and a "Cancel" button. Cancel and the close box only mark the work as
// cancelled: the code that does it asks IsCancelled between its steps, pumping the
// thread's messages meanwhile, and destroys the window at its end.
class ProgressWindow : public MainWindowBase {
public:
    static constexpr WORD kCancelCommand = 505;

    ProgressWindow();

    void PreRegisterClass(WNDCLASSEXW& windowClass) override;
    // Builds the content in a 380 x 165 window, centred; every size here is in pixels at
    // 96 DPI, scaled to the window's DPI.
    void OnCreate() override;
    void OnSize(WPARAM wParam, LPARAM lParam) override;
    int OnCommandMessage(WPARAM wParam, LPARAM lParam) override;
    // Cancels instead of ending the program.
    int OnClose() override;

    // Shows the text and fills the bar with the share done of total; total is -1 when
    // unknown.
    void ShowProgress(const wchar_t* text, int64_t done, int64_t total);
    bool IsCancelled() const { return cancelled_; }

    const ButtonControl& GetCancelButton() const { return cancelButton_; }

private:
    StaticControl text_;
    ProgressBarControl bar_;
    ButtonControl cancelButton_;
    bool cancelled_ = false;
};

}  // namespace gui
