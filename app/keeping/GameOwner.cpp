// GameOwner: which running copy of the program keeps the game in progress, and where.
#include "GameOwner.h"

#include "common/IApplication.h"
#include "puzzle/GameFile.h"

#include <sddl.h>
#include <shlobj.h>

#include <chrono>
#include <vector>

namespace {

// The window property that marks the owner's board window.
const wchar_t kOwnerMark[] = L"Enneo Tessary keeps the game";
// The WM_COPYDATA kind of a hand-over: a path of at most kMostCharacters, ending in 0.
const ULONG_PTR kHandOver = 0x454E4731;  // "ENG1"
const DWORD kMostCharacters = 32768;

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) {
    if (GetPropW(window, kOwnerMark) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The SID of the user this program runs as, as text ("S-1-5-21-..."); empty when
// Windows does not give it.
std::wstring UserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::wstring();
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<char> buffer(size);
    std::wstring text;
    wchar_t* sid = nullptr;
    if (size != 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

HWND MarkedWindow() {
    HWND found = nullptr;
    EnumWindows(&FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

GameOwner::~GameOwner() {
    if (mutex_ != nullptr) CloseHandle(mutex_);
}

bool GameOwner::Take() {
    if (owner_) return true;
    const std::wstring product = IApplication::GetCurrent()->GetProductName();
    // One owner per user across the sessions on this machine (console and remote alike),
    // so the name is machine-wide and carries the user's SID: names in "Global\" are
    // shared by every user.
    std::wstring user = UserSid();
    HANDLE mutex = nullptr;
    if (!user.empty()) {
        mutex = CreateMutexW(nullptr, FALSE, (L"Global\\" + product + L" game " + user).c_str());
        // Made by a copy of this user that runs elevated, whose mutex an unelevated one
        // may not open: that copy keeps the game.
        if (mutex == nullptr && GetLastError() == ERROR_ACCESS_DENIED) return false;
    }
    // Without the SID, or where Windows refuses the global name for another reason (a
    // namespace that this session cannot reach), one owner per session is still sound
    // there: the per-session name, as before the global one.
    if (mutex == nullptr) mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + product + L" game").c_str());
    if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    // Null only when Windows refuses a mutex: this copy keeps the game all the same.
    mutex_ = mutex;
    owner_ = true;
    return true;
}

void GameOwner::Mark(HWND window) { SetPropW(window, kOwnerMark, reinterpret_cast<HANDLE>(1)); }

bool GameOwner::HandOver(const std::wstring& file) {
    if (file.size() >= kMostCharacters) return false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    HWND owner = MarkedWindow();
    while (owner == nullptr && std::chrono::steady_clock::now() < deadline) {
        Sleep(100);
        owner = MarkedWindow();
    }
    if (owner == nullptr) return false;
    COPYDATASTRUCT data = {kHandOver, static_cast<DWORD>((file.size() + 1) * sizeof(wchar_t)),
                           const_cast<wchar_t*>(file.c_str())};
    DWORD_PTR taken = 0;
    if (!SendMessageTimeoutW(owner, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &taken) ||
        taken != TRUE) {
        return false;
    }
    // A program just started by the user may bring another's window to the front.
    if (IsIconic(owner)) ShowWindow(owner, SW_RESTORE);
    SetForegroundWindow(owner);
    return true;
}

bool GameOwner::ReadHandOver(const COPYDATASTRUCT& data, std::wstring& file) {
    const DWORD characters = data.cbData / sizeof(wchar_t);
    if (data.dwData != kHandOver || data.lpData == nullptr || data.cbData % sizeof(wchar_t) != 0 || characters == 0 ||
        characters > kMostCharacters) {
        return false;
    }
    const wchar_t* text = static_cast<const wchar_t*>(data.lpData);
    if (text[characters - 1] != 0) return false;
    file.assign(text, characters - 1);
    return file.find(L'\0') == std::wstring::npos;
}

std::filesystem::path GameOwner::GetGameFile() {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK) {
        return {};
    }
    return std::filesystem::path(folder) / IApplication::GetCurrent()->GetProductName() /
           (std::wstring(L"game") + GameFile::kExtension);
}
