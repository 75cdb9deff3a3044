// UpdateInstaller: puts a downloaded new version of a program in the old one's place.
#pragma once

#include "ProgramSwap.h"

#include "common/Object.h"
#include "common/String.h"
#include "common/util/version/UpdateFiles.h"

#include <string>
#include <vector>

// Where and what the updater installs; the texts are copied.
struct UpdaterSetup {
    const wchar_t* folder;       // the program's folder, ending in a backslash
    const wchar_t* name;         // the program's file name without ".exe"
    const wchar_t* programName;  // the name its releases' statements carry ("Enneo")
    const wchar_t* publicKey;    // base64 text of the publisher's PEM key; empty: none
    const wchar_t* updater;      // the updater's own file
};

// Replaces "<name>.exe" by "<name>.upd" in one folder, once the program has ended and
// no other copy updates there (UpdateLock), and only when the new version is what the
// publisher released as the program for this architecture (its statement signed in
// "<name>.upd.sig", see UpdateFileVerifier), newer than the installed one and not older
// than the newest release seen signed (NewestVersionSeen). The new version is opened
// once, shared with nobody, and read, checked, flushed and renamed through that one
// handle (ProgramSwap). When the program is the one the installer put in place (the
// uninstall entry's "InstallLocation" is this folder), the entry's "DisplayVersion"
// becomes the new version.
class UpdateInstaller : public Object {
public:
    // How long Install waits for the program to let go of its file.
    static constexpr int kWaitSeconds = 30;

    explicit UpdateInstaller(const UpdaterSetup& setup);

    // The names of the programs in folder (ending in a backslash) that have an update
    // waiting: each "<name>" with both "<name>.upd" and "<name>.exe" there.
    static std::vector<String> FindUpdates(const wchar_t* folder);

    // True when the new version is in place. Otherwise the old program is, and
    // GetMessageText says why for the user; an update that is refused (not the
    // publisher's program for this architecture, or not newer) is deleted with its
    // signature. The signature copy goes either way; the kept program and the updater
    // are recorded for removal (UpdateFiles).
    bool Install();
    // Starts "<name>.exe", new or kept, with the folder as its current directory;
    // false, with the reason in GetMessageText, when it cannot be started.
    bool StartProgram();

    // "<name> update", the caption of the boxes that show the messages.
    const String& GetCaption() const { return caption_; }
    // The reason of the last failure, a text for the user; empty after success.
    const String& GetMessageText() const { return message_; }

private:
    // Raises, with the reason for the user, when the program file cannot be opened
    // exclusively within kWaitSeconds; then reads it into installed_.
    void WaitForProgramEnd();
    // Raises, with the reason for the user, unless the new version's bytes are the
    // publisher's program for this architecture, newer than the installed one and not
    // below the newest seen.
    void CheckUpdate(const std::string& update, const String& signature);
    // Writes the new version into the uninstall entry when it names this folder.
    void UpdateUninstallEntry();
    // Records the updater for removal when it is the folder's "updater.exe".
    void RecordUpdater();

    String name_;
    String programName_;
    String publicKey_;
    String folder_;
    String updater_;
    util::version::UpdateFiles files_;
    ProgramSwap swap_;
    std::string installed_;  // the installed program's bytes
    // "<name> <version>" of the installed program and of the update, or "<name>"
    // when the file has no ProductVersion; the update's is read for the messages and
    // trusted only once its statement is checked.
    String installedLabel_;
    String updateLabel_;
    String installedVersion_;
    String updateVersion_;
    String caption_;
    String message_;
};
