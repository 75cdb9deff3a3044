// The updater's entry point: installs the update waiting beside it and starts the program.
#include "ProgramLanguage.h"
#include "UpdateInstaller.h"

#include "common/CatalogueText.h"
#include "common/util/ProgramFile.h"
#include "common/util/SystemLibrary.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

void ShowMessage(const wchar_t* text, const wchar_t* caption) {
    MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONWARNING);
}

}  // namespace

// The program downloads the updater and its new version into its own folder, starts the
// updater there and ends. The updater installs the one update it finds beside itself,
// says why when it does not, in the language the program's settings choose, and starts
// the program, new or kept. It does nothing when no update waits and installs none when
// updates for several programs do. Exit code 0 when the update is installed or none
// waits, 1 otherwise. The publisher key it checks with and the program's name in the
// statements come from the build (ENNEO_UPDATE_PUBLIC_KEY and ENNEO_PROGRAM_NAME, see
// enneo_add_updater).
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    util::LoadDllsFromSystemFolderOnly();
    std::wstring path = util::GetProgramFilePath();
    if (path.empty()) return 1;
    std::wstring folder = std::filesystem::path(path).remove_filename().wstring();
    std::vector<String> names = UpdateInstaller::FindUpdates(folder.c_str());
    if (names.empty()) return 0;
    ChooseProgramLanguage(path);
    if (names.size() > 1) {
        ShowMessage(CatalogueText(TextId::kUpdaterSeveral, {folder}).GetText(),
                    CatalogueText(TextId::kUpdaterSeveralCaption).GetText());
        return 1;
    }
    UpdateInstaller installer(
        {folder.c_str(), names.front().GetText(), ENNEO_PROGRAM_NAME, ENNEO_UPDATE_PUBLIC_KEY, path.c_str()});
    bool installed = installer.Install();
    if (!installed) ShowMessage(installer.GetMessageText().GetText(), installer.GetCaption().GetText());
    if (!installer.StartProgram()) {
        ShowMessage(installer.GetMessageText().GetText(), installer.GetCaption().GetText());
        return 1;
    }
    return installed ? 0 : 1;
}
