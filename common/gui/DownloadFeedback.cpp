// DownloadFeedback: keeps the windows alive and shows the progress while a download blocks the thread.
#include "DownloadFeedback.h"

namespace gui {

namespace {

// A download that takes longer than this shows its progress.
const std::chrono::milliseconds kProgressDelay(1000);

}  // namespace

DownloadFeedback::DownloadFeedback(const wchar_t* caption)
    : caption_(caption), start_(std::chrono::steady_clock::now()), owner_(GetActiveWindow()) {
    if (owner_ != nullptr) EnableWindow(owner_, FALSE);
}

DownloadFeedback::~DownloadFeedback() {
    if (window_ != nullptr) window_->Destroy();
    if (owner_ != nullptr) EnableWindow(owner_, TRUE);
}

bool DownloadFeedback::Update(const wchar_t* what, int64_t received, int64_t announced) {
    if (window_ == nullptr && std::chrono::steady_clock::now() - start_ >= kProgressDelay) {
        window_ = std::make_unique<DownloadProgressWindow>();
        window_->Create(owner_);
        window_->SetText(caption_.GetText());
        window_->Show(SW_SHOWNORMAL);
    }
    if (window_ != nullptr) window_->ShowProgress(what, received, announced);
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
