// ProgramUnderTest: a program a test starts as a process of its own and watches.
#include "ProgramUnderTest.h"

#include <chrono>

namespace {

const wchar_t kSettingsKey[] = L"Software\\Enneo Project\\Enneo Tessary";

void SwitchResumeGameOff() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    const wchar_t off[] = L"0";
    RegSetValueExW(key, L"ResumeGame", 0, REG_SZ, reinterpret_cast<const BYTE*>(off), sizeof(off));
    RegCloseKey(key);
}

struct WindowSearch {
    DWORD process;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    if (process != search->process || !IsWindowVisible(window) || std::wstring(caption) != search->caption) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

std::wstring ProgramUnderTest::WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p != 0; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

bool ProgramUnderTest::Start(const std::wstring& program, const std::wstring& folder, const std::wstring& argument0,
                             const std::wstring& arguments) {
    End();
    SwitchResumeGameOff();
    // Its standard handles, and so those of the programs it starts, are the null device,
    // not the test's output: under Wine a program whose start a kill cuts off waits for
    // ever, and must not hold the output that the test runner waits on.
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE null = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = null;
    std::wstring commandLine = L"\"" + (argument0.empty() ? program : argument0) + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    bool started = false;
    // Wine now and then refuses a start while the machine is busy; a few tries.
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        if (attempt > 0) Sleep(500);
        started = CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                                 &startup, &process_) != FALSE;
    }
    if (null != INVALID_HANDLE_VALUE) CloseHandle(null);
    return started;
}

void ProgramUnderTest::End() {
    if (process_.hProcess == nullptr) return;
    if (IsRunning()) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
}

bool ProgramUnderTest::IsRunning() const {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND ProgramUnderTest::WaitForWindow(const wchar_t* caption, int seconds) const {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        WindowSearch search = {process_.dwProcessId, caption, nullptr};
        EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

int ProgramUnderTest::WaitForExit(int seconds) const {
    if (WaitForSingleObject(process_.hProcess, seconds * 1000) != WAIT_OBJECT_0) return -2;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

int ProgramUnderTest::Close(HWND window) const {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return WaitForExit();
}
