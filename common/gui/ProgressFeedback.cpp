// ProgressFeedback: keeps the windows alive and shows the progress while long work (a download, a print job) blocks the thread.
#include "ProgressFeedback.h"

namespace gui {

namespace {

// Work that takes longer than this shows its progress.
const std::chrono::milliseconds kProgressDelay(1000);

}  // namespace

ProgressFeedback::ProgressFeedback(const wchar_t* caption)
    : caption_(caption), start_(std::chrono::steady_clock::now()), owner_(GetActiveWindow()), focus_(GetFocus()) {
    if (owner_ != nullptr) EnableWindow(owner_, FALSE);
}

ProgressFeedback::~ProgressFeedback() {
    if (owner_ != nullptr) EnableWindow(owner_, TRUE);
    if (window_ != nullptr) window_->Destroy();
    // A disabled window loses the focus and enabling it does not give it back: without
    // this the keyboard would reach no window until the player switched windows.
    if (owner_ != nullptr && GetActiveWindow() == owner_ && GetFocus() == nullptr) {
        SetFocus(focus_ != nullptr && IsWindow(focus_) ? focus_ : owner_);
    }
}

bool ProgressFeedback::Update(const wchar_t* text, int64_t done, int64_t total) {
    if (window_ == nullptr && std::chrono::steady_clock::now() - start_ >= kProgressDelay) {
        window_ = std::make_unique<ProgressWindow>();
        window_->Create(owner_);
        window_->SetText(caption_.GetText());
        window_->Show(SW_SHOWNORMAL);
    }
    if (window_ != nullptr) window_->ShowProgress(text, done, total);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the message loop
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return window_ == nullptr || !window_->IsCancelled();
}

}  // namespace gui
