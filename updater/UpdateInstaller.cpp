// UpdateInstaller: puts a downloaded new version of a program in the old one's place.
#include "UpdateInstaller.h"

#include "SystemReason.h"

#include "common/CatalogueText.h"
#include "common/Exception.h"
#include "common/util/File.h"
#include "common/util/ProgramFile.h"
#include "common/util/Registry.h"
#include "common/util/RegistryProperties.h"
#include "common/util/version/NewestVersionSeen.h"
#include "common/util/version/ProgramImage.h"
#include "common/util/version/UpdateFileVerifier.h"
#include "common/util/version/UpdateLock.h"
#include "common/util/version/UpdatePublicKey.h"
#include "common/util/version/UpdateStatement.h"
#include "common/util/version/Version.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

const DWORD kPollMilliseconds = 100;
// The largest program file the updater reads, and the largest signature copy.
const uint32_t kLargestProgram = 256 * 1024 * 1024;
const uint32_t kLargestSignature = 4096;
// The installer's uninstall entry, named after the program's "ProductName".
const wchar_t kUninstallKeys[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

using util::File;
using util::FileAccess;
using util::FileCreation;
using util::FileSharing;
using util::version::ProgramImage;

// "<name> <version>", or the name alone when there is no version.
String Label(const String& name, const String& version) {
    String label;
    label.Format(version.GetLength() > 0 ? L"%s %s" : L"%s", name, version);
    return label;
}

// The "ProductVersion" of the program file at path, read only for the messages.
String VersionOfFile(const String& path) {
    std::string bytes;
    File::ReadWholeFile(path.GetText(), kLargestProgram, bytes);
    return ProgramImage(bytes).GetVersionValue(L"ProductVersion");
}

// A folder's path ending in one backslash.
std::wstring WithBackslash(std::wstring folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder + L"\\";
}

}  // namespace

UpdateInstaller::UpdateInstaller(const UpdaterSetup& setup)
    : Object(L"UpdateInstaller"),
      name_(setup.name),
      programName_(setup.programName),
      publicKey_(setup.publicKey),
      folder_(setup.folder),
      updater_(setup.updater),
      files_(setup.folder, setup.name),
      swap_(files_) {
    installedVersion_ = VersionOfFile(files_.GetProgram());
    updateVersion_ = VersionOfFile(files_.GetNewVersion());
    installedLabel_ = Label(name_, installedVersion_);
    updateLabel_ = Label(name_, updateVersion_);
    caption_ = CatalogueText(TextId::kUpdateCaption, {name_.ToWide()});
}

std::vector<String> UpdateInstaller::FindUpdates(const wchar_t* folder) {
    std::vector<String> names;
    std::error_code error;
    std::filesystem::directory_iterator entry(folder, error), end;
    for (; !error && entry != end; entry.increment(error)) {
        std::filesystem::path file = entry->path();
        if (file.extension() != L".upd" || !entry->is_regular_file(error)) continue;
        if (std::filesystem::is_regular_file(file.replace_extension(L".exe"), error)) {
            names.emplace_back(file.stem().c_str());
        }
    }
    return names;
}

bool UpdateInstaller::Install() {
    message_.Set(nullptr);
    bool installed = false;
    File signature(files_.GetSignatureCopy().GetText());
    try {
        util::version::UpdateLock lock(folder_.GetText());
        if (!lock.Acquire(kWaitSeconds * 1000)) {
            throw new Exception(L"%s", CatalogueText(TextId::kUpdaterBusy, {name_.ToWide()}));
        }
        swap_.Prepare();
        WaitForProgramEnd();
        // Opened once, shared with nobody: the bytes checked are the bytes put in place.
        File update(files_.GetNewVersion().GetText());
        update.OpenFile(FileAccess::ReadWriteDelete, FileCreation::OpenExisting, FileSharing::None);
        try {
            std::string bytes, signatureText;
            if (!update.ReadAll(bytes, kLargestProgram)) {
                String reason = SystemReason();  // first, while the last error is the failure's
                throw new Exception(L"%s",
                                    CatalogueText(TextId::kUpdaterUpdateUnreadable, {name_.ToWide(), reason.ToWide()}));
            }
            signature.OpenFile(FileAccess::ReadDelete, FileCreation::OpenExisting);
            if (!signature.ReadAll(signatureText, kLargestSignature)) {
                throw new Exception(L"%s", CatalogueText(TextId::kUpdaterSignatureUnreadable, {name_.ToWide()}));
            }
            String signatureString;
            signatureString.SetAnsi(signatureText.c_str());  // base64 is ASCII; anything else fails to decode
            CheckUpdate(bytes, signatureString);
        } catch (Exception*) {
            update.DeleteWhenClosed();  // refused: nothing may start it later
            throw;
        }
        swap_.Swap(update, installed_);
        installed = true;
        UpdateUninstallEntry();
    } catch (Exception* e) {
        String reason(e->GetMessageText());
        delete e;
        message_ = CatalogueText(swap_.Restore() ? TextId::kUpdaterRefused : TextId::kUpdaterNotRestored,
                                 {updateLabel_.ToWide(), reason.ToWide(), installedLabel_.ToWide(), name_.ToWide()});
    }
    // Read or refused, the signature copy has served: it goes with this handle.
    signature.DeleteWhenClosed();
    swap_.Finish();
    RecordUpdater();
    return installed;
}

void UpdateInstaller::WaitForProgramEnd() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kWaitSeconds);
    for (;;) {
        // Opened by nobody else, not even as a running program's image: then it can be
        // replaced.
        File program(files_.GetProgram().GetText());
        program.OpenFile(FileAccess::ReadWrite, FileCreation::OpenExisting, FileSharing::None);
        if (program.IsOpen()) {
            if (!program.ReadAll(installed_, kLargestProgram)) {
                String reason = SystemReason();  // first, while the last error is the failure's
                throw new Exception(
                    L"%s", CatalogueText(TextId::kUpdaterProgramUnreadable, {name_.ToWide(), reason.ToWide()}));
            }
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            String reason = SystemReason();  // first, while the last error is the failure's
            throw new Exception(L"%s", CatalogueText(TextId::kUpdaterProgramInUse, kWaitSeconds,
                                                     {name_.ToWide(), std::to_wstring(kWaitSeconds), reason.ToWide()}));
        }
        Sleep(kPollMilliseconds);
    }
}

void UpdateInstaller::CheckUpdate(const std::string& update, const String& signature) {
    using util::version::Version;
    ProgramImage installed(installed_), image(update);
    installedVersion_ = installed.GetVersionValue(L"ProductVersion");
    updateVersion_ = image.GetVersionValue(L"ProductVersion");
    installedLabel_ = Label(name_, installedVersion_);
    updateLabel_ = Label(name_, updateVersion_);
    util::version::UpdatePublicKey key;
    if (!key.Read(publicKey_.GetText())) throw new Exception(L"%s", CatalogueText(TextId::kUpdaterKeyless));
    // The version is the one the file names; the statement holds only when the
    // publisher released the file as that version.
    String reason = util::version::UpdateFileVerifier(key).Check(
        update, programName_.GetText(), util::version::UpdateRole::Program, updateVersion_.GetText(), signature);
    if (reason.GetLength() > 0) throw new Exception(L"%s", CatalogueText(TextId::kUpdaterReason, {reason.ToWide()}));
    // Even an old release carries the publisher's signature: no way back to it.
    if (!Version(updateVersion_.GetText()).IsNewerThan(Version(installedVersion_.GetText()))) {
        throw new Exception(L"%s", CatalogueText(TextId::kUpdaterNotNewer, {installedLabel_.ToWide()}));
    }
    // The settings are the program's, under the names its version resource gives.
    util::RegistryProperties settings(installed.GetVersionValue(L"CompanyName").GetText(),
                                      installed.GetVersionValue(L"ProductName").GetText());
    util::version::NewestVersionSeen seen(&settings);
    if (seen.IsBelow(updateVersion_.GetText())) {
        throw new Exception(L"%s", CatalogueText(TextId::kUpdaterOlder, {name_.ToWide(), seen.Get().ToWide()}));
    }
}

void UpdateInstaller::UpdateUninstallEntry() {
    String key;
    key.Format(L"%s%s", kUninstallKeys, ProgramImage(installed_).GetVersionValue(L"ProductName"));
    String location;
    if (!util::ReadRegistryString(HKEY_CURRENT_USER, key.GetText(), L"InstallLocation", location)) return;
    if (lstrcmpiW(WithBackslash(location.GetText()).c_str(), WithBackslash(folder_.GetText()).c_str()) != 0) return;
    util::WriteRegistryString(HKEY_CURRENT_USER, key.GetText(), L"DisplayVersion", updateVersion_.GetText());
}

void UpdateInstaller::RecordUpdater() {
    if (lstrcmpiW(updater_.GetText(), files_.GetUpdater().GetText()) != 0) return;
    File updater(updater_.GetText());
    updater.OpenFile(FileAccess::Read, FileCreation::OpenExisting);
    util::FileIdentity identity;
    try {
        if (updater.GetIdentity(identity)) files_.Record(files_.GetUpdater(), identity);
    } catch (Exception* e) {
        delete e;  // it stays; the update itself is done
    }
}

bool UpdateInstaller::StartProgram() {
    if (util::StartProgramFile(files_.GetProgram().GetText(), folder_.GetText())) return true;
    String reason = SystemReason();  // first, while the last error is the failure's
    message_ = CatalogueText(TextId::kUpdaterNotStarted, {name_.ToWide(), reason.ToWide()});
    return false;
}
