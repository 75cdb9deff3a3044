// UpdateInstaller: puts a downloaded new version of a program in the old one's place.
#include "UpdateInstaller.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"
#include "common/util/File.h"
#include "common/util/VersionInfo.h"
#include "common/util/version/UpdateFileVerifier.h"
#include "common/util/version/UpdatePublicKey.h"
#include "common/util/version/UpdateStatement.h"
#include "common/util/version/Version.h"

#include <windows.h>

#include <chrono>
#include <cwctype>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

const DWORD kPollMilliseconds = 100;

using util::version::UpdateFileVerifier;
using util::version::UpdateRole;

// The system's reason for the last failure, without the full stop and line break it
// ends with, to go inside a sentence.
String SystemReason() {
    DWORD code = GetLastError();
    const wchar_t* text = GetLastErrorText();
    std::wstring reason(text != nullptr ? text : L"");
    while (!reason.empty() && (std::iswspace(reason.back()) || reason.back() == L'.')) reason.pop_back();
    String result;
    if (reason.empty()) {
        result.Format(L"error %u", code);
    } else {
        result.Set(reason.c_str());
    }
    return result;
}

// "<name> <version>", or the name alone when there is no version.
String Label(const String& name, const String& version) {
    String label;
    label.Format(version.GetLength() > 0 ? L"%s %s" : L"%s", name, version);
    return label;
}

}  // namespace

UpdateInstaller::UpdateInstaller(const wchar_t* folder, const wchar_t* name, const wchar_t* programName,
                                 const wchar_t* publicKey, const wchar_t* updater)
    : Object(L"UpdateInstaller"),
      name_(name),
      programName_(programName),
      publicKey_(publicKey),
      folder_(folder),
      updater_(updater),
      files_(folder, name) {
    installedVersion_ = util::GetFileVersionInfoValue(files_.GetProgram().GetText(), L"ProductVersion");
    updateVersion_ = util::GetFileVersionInfoValue(files_.GetNewVersion().GetText(), L"ProductVersion");
    installedLabel_ = Label(name_, installedVersion_);
    updateLabel_ = Label(name_, updateVersion_);
    caption_.Format(L"%s update", name_);
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
    try {
        ClearReadOnly();
        WaitForProgramEnd();
        try {
            CheckUpdate();
        } catch (Exception*) {
            RemoveUpdate();  // refused: nothing may start it later
            throw;
        }
        Swap();
        installed = true;
    } catch (Exception* e) {
        message_.Format(L"The update to %s could not be installed: %s.\n\n", updateLabel_, e->GetMessageText());
        delete e;
        if (RestoreProgram()) {
            message_.AppendFormat(L"%s stays installed.", installedLabel_);
        } else {
            message_.AppendFormat(L"%s is kept as %s.exe.old but could not be put back as %s.exe.", installedLabel_,
                                  name_, name_);
        }
    }
    RestoreReadOnly();
    RecordLeftovers();
    return installed;
}

void UpdateInstaller::ClearReadOnly() {
    DWORD attributes = GetFileAttributesW(files_.GetProgram().GetText());
    readOnly_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly_ && !SetFileAttributesW(files_.GetProgram().GetText(), attributes & ~FILE_ATTRIBUTE_READONLY)) {
        readOnly_ = false;
        throw new Exception(L"%s.exe is read-only, and that cannot be changed (%s)", name_, SystemReason());
    }
}

void UpdateInstaller::RestoreReadOnly() {
    DWORD attributes = GetFileAttributesW(files_.GetProgram().GetText());
    if (readOnly_ && attributes != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(files_.GetProgram().GetText(), attributes | FILE_ATTRIBUTE_READONLY);
    }
}

void UpdateInstaller::WaitForProgramEnd() {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kWaitSeconds);
    for (;;) {
        // Opened by nobody else, not even as a running program's image: then it can be
        // replaced.
        HANDLE file = CreateFileW(files_.GetProgram().GetText(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            throw new Exception(L"%s.exe is still in use after %i seconds (%s)", name_, kWaitSeconds, SystemReason());
        }
        Sleep(kPollMilliseconds);
    }
}

void UpdateInstaller::CheckUpdate() {
    util::version::UpdatePublicKey key;
    if (!key.Read(publicKey_.GetText())) throw new Exception(L"this updater has no publisher key to check it with");
    String signature;
    if (!ReadSignatureText(signature)) throw new Exception(L"its signature, %s.upd.sig, cannot be read", name_);
    // The version is the one the file names; the statement holds only when the
    // publisher released the file as that version.
    String reason = UpdateFileVerifier(key).Check(files_.GetNewVersion().GetText(), programName_.GetText(),
                                                  UpdateRole::Program, updateVersion_.GetText(), signature);
    if (reason.GetLength() > 0) throw new Exception(L"it %s", reason);
    // Even an old release carries the publisher's signature: no way back to it.
    util::version::Version update(updateVersion_.GetText());
    if (!update.IsNewerThan(util::version::Version(installedVersion_.GetText()))) {
        throw new Exception(L"it is not newer than %s", installedLabel_);
    }
}

bool UpdateInstaller::ReadSignatureText(String& text) {
    try {
        util::File file(files_.GetSignatureCopy().GetText());
        file.OpenFile(util::FileAccess::Read, util::FileCreation::OpenExisting);
        if (!file.IsOpen()) return false;
        std::unique_ptr<char[]> bytes;
        file.LoadIntoMemory(bytes);
        text.SetAnsi(bytes.get());  // base64 is ASCII; anything else fails to decode
        return true;
    } catch (Exception* e) {
        delete e;
        return false;
    }
}

void UpdateInstaller::Swap() {
    const wchar_t* program = files_.GetProgram().GetText();
    const wchar_t* kept = files_.GetKeptProgram().GetText();
    const wchar_t* update = files_.GetNewVersion().GetText();
    // On disk before it takes the program's name: a crash after the rename must not
    // leave a program file whose bytes never reached the disk.
    HANDLE file = CreateFileW(update, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    SetLastError(error);
    if (!flushed) throw new Exception(L"%s.upd could not be written to disk (%s)", name_, SystemReason());
    // A copy, not a rename: the program file stays whole while the copy is written.
    // A kept program of an earlier update may be read-only; the new copy is not.
    SetFileAttributesW(kept, FILE_ATTRIBUTE_NORMAL);
    if (!CopyFileW(program, kept, FALSE)) {
        throw new Exception(L"%s.exe could not be copied to %s.exe.old (%s)", name_, name_, SystemReason());
    }
    kept_ = true;
    // One rename over the program file: its name holds the old program or the new one,
    // whole, at every moment.
    if (!MoveFileExW(update, program, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        throw new Exception(L"%s.upd could not replace %s.exe (%s)", name_, name_, SystemReason());
    }
}

bool UpdateInstaller::RestoreProgram() {
    // The move replaces the program file in one step, so it is still there after a
    // failed one; should a file system have lost it all the same, the kept copy is
    // moved back, again in one step.
    if (GetFileAttributesW(files_.GetProgram().GetText()) != INVALID_FILE_ATTRIBUTES) return true;
    return MoveFileExW(files_.GetKeptProgram().GetText(), files_.GetProgram().GetText(), MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

void UpdateInstaller::RemoveUpdate() {
    util::File(files_.GetNewVersion().GetText()).Delete();
    util::File(files_.GetSignatureCopy().GetText()).Delete();
}

void UpdateInstaller::RecordLeftovers() {
    try {
        if (kept_) files_.Record({&files_.GetKeptProgram()});
        if (lstrcmpiW(updater_.GetText(), files_.GetUpdater().GetText()) == 0) files_.Record({&files_.GetUpdater()});
    } catch (Exception* e) {
        delete e;  // the files stay; the update itself is done
    }
}

bool UpdateInstaller::StartProgram() {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + std::wstring(files_.GetProgram().GetText()) + L"\"";
    if (!CreateProcessW(files_.GetProgram().GetText(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.GetText(), &startup, &process)) {
        message_.Format(L"%s.exe could not be started: %s.", name_, SystemReason());
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
