// EnneoApp: the program's application, owner of the board window.
#include "EnneoApp.h"

#include "board/BoardSettings.h"
#include "languages/Language.h"

#include <string>

namespace {

// The full path of a file named on the command line: a copy that hands it over may
// have another current folder. The name as it is when Windows cannot complete it.
std::wstring FullPath(const wchar_t* name) {
    DWORD size = GetFullPathNameW(name, 0, nullptr, nullptr);
    if (size == 0) return name;
    std::wstring path(size, L'\0');
    size = GetFullPathNameW(name, size, &path[0], nullptr);
    path.resize(size);
    return path;
}

}  // namespace

EnneoApp::EnneoApp(const wchar_t* updateUrl, const wchar_t* updatePublicKey)
    : WindowsApplication(L"EnneoApp", false), updateUrl_(updateUrl), updatePublicKey_(updatePublicKey) {
    Language::Choose(BoardSettings(*GetProperties()).GetSpokenLanguage());
}

int EnneoApp::Run() {
    std::wstring file = GetArgumentCount() > 1 ? FullPath(GetArgument(1)) : std::wstring();
    bool owner = owner_.Take();
    if (!owner && BoardSettings(*GetProperties()).IsOn(BoardSettings::kResumeGame)) {
        if (GameOwner::HandOver(file)) return 0;
        owner = owner_.Take();  // the other copy may have ended meanwhile
    }
    board_.emplace(updateUrl_.c_str(), updatePublicKey_.c_str());  // the update check runs here
    board_->Create(nullptr);
    if (owner) GameOwner::Mark(board_->GetHandle());
    board_->Show(SW_SHOWNORMAL);
    board_->Start(owner ? GameOwner::GetGameFile() : std::filesystem::path(), file.empty() ? nullptr : file.c_str());
    // IDR_BOARD_ACCELERATORS (Alt+/ for About) stays in the resources but is not loaded:
    // the board has always let that key through as typed.
    int code = MessageLoop();
    board_->Keep();  // File / Exit, closing the window, an update that ends the program
    return code;
}
