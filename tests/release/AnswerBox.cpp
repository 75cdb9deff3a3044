// AnswerBox: answers a message box of any program in the Wine prefix, for tests driven from outside.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

// usage: answer_box CAPTION BUTTON SECONDS
// Waits at most SECONDS for a visible, enabled dialog box ("#32770") with that caption,
// prints its message text (UTF-8) and presses the button whose identifier is BUTTON
// (IDOK 1, IDYES 6, IDNO 7). Exit code 0 when it was answered, 1 when none came, 2 for
// bad arguments. Boxes are found across processes: the program under test runs apart.
namespace {

struct Search {
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
        std::wstring(caption) != search->caption) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fputs("usage: answer_box CAPTION BUTTON SECONDS\n", stderr);
        return 2;
    }
    int button = _wtoi(argv[2]);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(_wtoi(argv[3]));
    Search search = {argv[1], nullptr};
    while (search.found == nullptr && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(100);
    }
    if (search.found == nullptr) return 1;
    Sleep(200);  // let the box finish its initialisation
    wchar_t text[1024] = {};
    GetDlgItemTextW(search.found, 0xFFFF, text, 1024);
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(search.found, button)));
    while (IsWindow(search.found) && std::chrono::steady_clock::now() < deadline + std::chrono::seconds(10)) {
        Sleep(50);
    }
    return 0;
}
