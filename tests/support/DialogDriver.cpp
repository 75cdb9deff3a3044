// DialogDriver: answers the dialog boxes a test makes the program show.
#include "DialogDriver.h"

#include <algorithm>
#include <chrono>

namespace {

const int kFileNameField = 0x47C;  // the file dialogs' name field (cmb13)
const int kMessageText = 0xFFFF;   // the message box's text

struct Search {
    const std::wstring* caption;
    DWORD process;
    const std::vector<HWND>* answered;
    HWND found;       // a box not answered yet
    HWND foundAgain;  // else a box answered before
};

// True when window is a dialog box (class "#32770"); sets process and thread to the
// ones that made it.
bool IsDialog(HWND window, DWORD& process, DWORD& thread) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    thread = GetWindowThreadProcessId(window, &process);
    return std::wstring(className) == L"#32770";
}

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    DWORD thread = 0;
    // A disabled box waits for a box of its own (an overwrite prompt) and takes no answer.
    if (!IsDialog(window, process, thread) || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    if (!search->caption->empty() && *search->caption != caption) return TRUE;
    // Only the boxes of the watched process, not shown by the driver's own thread:
    // tests run side by side, each with its own boxes.
    if (process != search->process || thread == GetCurrentThreadId()) return TRUE;
    const std::vector<HWND>& answered = *search->answered;
    if (std::find(answered.begin(), answered.end(), window) != answered.end()) {
        if (search->foundAgain == nullptr) search->foundAgain = window;
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

struct AnyBox {
    DWORD process;
    bool found;
};

// Any dialog of the process, visible or not: the check that no box came.
BOOL CALLBACK FindAnyBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<AnyBox*>(parameter);
    DWORD process = 0;
    DWORD thread = 0;
    search->found = IsDialog(window, process, thread) && process == search->process;
    return !search->found;
}

HWND WaitForBox(const std::wstring& caption, DWORD process, const std::vector<HWND>& answered) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    HWND waiting = nullptr;
    auto waitingSince = deadline;
    while (std::chrono::steady_clock::now() < deadline) {
        Search search = {&caption, process, &answered, nullptr, nullptr};
        EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        // A box answered before is the next one only when it still waits a second later
        // (a file dialog that went into a folder): when the box it showed goes, it is
        // enabled again for a moment before it closes itself.
        auto now = std::chrono::steady_clock::now();
        if (search.foundAgain != waiting) {
            waiting = search.foundAgain;
            waitingSince = now;
        } else if (waiting != nullptr && now - waitingSince >= std::chrono::seconds(1)) {
            return waiting;
        }
        Sleep(50);
    }
    return nullptr;
}

}  // namespace

DialogDriver::DialogDriver(std::vector<Answer> answers, DWORD process)
    : answers_(std::move(answers)), process_(process != 0 ? process : GetCurrentProcessId()) {
    thread_ = std::thread([this] {
        for (const Answer& answer : answers_) Respond(answer);
    });
}

DialogDriver::~DialogDriver() {
    if (thread_.joinable()) thread_.join();
}

void DialogDriver::Respond(const Answer& answer) {
    HWND box = WaitForBox(answer.caption, process_, answered_);
    if (box == nullptr) {
        texts_.push_back(L"<no dialog>");
        return;
    }
    Sleep(100);  // let the box finish its initialisation
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, kMessageText, text, 1024);
    texts_.push_back(text);
    answered_.push_back(box);
    if (!answer.fileName.empty()) SetDlgItemTextW(box, kFileNameField, answer.fileName.c_str());
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer.button)));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    // Until it goes, or until it shows a box of its own, which comes next.
    while (IsWindow(box) && IsWindowVisible(box) && IsWindowEnabled(box) &&
           std::chrono::steady_clock::now() < deadline) {
        Sleep(20);
    }
}

bool DialogDriver::HasDialog(DWORD process) {
    AnyBox search = {process, false};
    EnumWindows(&FindAnyBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> DialogDriver::Texts() {
    if (thread_.joinable()) thread_.join();
    return texts_;
}
