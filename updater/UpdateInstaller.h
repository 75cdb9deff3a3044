// UpdateInstaller: puts a downloaded new version of a program in the old one's place.
#pragma once

#include "common/Object.h"
#include "common/String.h"
#include "common/util/version/UpdateFiles.h"

#include <vector>

// Replaces "<name>.exe" by "<name>.upd" in one folder, once the program has ended and
// only when the new version is what the publisher released as the program for this
// architecture (its statement signed in "<name>.upd.sig", see UpdateFileVerifier) and
// newer than the installed one. The new version is flushed to disk, the old program
// kept as "<name>.exe.old" and the new one moved over it in one step, so that the
// folder holds a whole program at every moment the installer stops. A read-only
// program file is replaced all the same and the new one is read-only again; the kept
// copy is not.
class UpdateInstaller : public Object {
public:
    // How long Install waits for the program to let go of its file.
    static constexpr int kWaitSeconds = 30;

    // folder: ends in a backslash; name: the program's file name without ".exe";
    // programName: the name its releases' statements carry ("Enneo"); publicKey: the
    // base64 text of the publisher's PEM public key, empty when there is none (then
    // nothing is installed); updater: the updater's own file, which the program's next
    // start removes when it is the folder's "updater.exe". All are copied.
    UpdateInstaller(const wchar_t* folder, const wchar_t* name, const wchar_t* programName, const wchar_t* publicKey,
                    const wchar_t* updater);

    // The names of the programs in folder (ending in a backslash) that have an update
    // waiting: each "<name>" with both "<name>.upd" and "<name>.exe" there.
    static std::vector<String> FindUpdates(const wchar_t* folder);

    // True when the new version is in place. Otherwise the old program is, and
    // GetMessageText says why for the user; an update that is refused (not the
    // publisher's program for this architecture, or not newer) is deleted with its
    // signature. Either way the kept program and the updater are recorded for removal
    // (UpdateFiles).
    bool Install();
    // Starts "<name>.exe", new or kept, with the folder as its current directory;
    // false, with the reason in GetMessageText, when it cannot be started.
    bool StartProgram();

    // "<name> update", the caption of the boxes that show the messages.
    const String& GetCaption() const { return caption_; }
    // The reason of the last failure, a text for the user; empty after success.
    const String& GetMessageText() const { return message_; }

private:
    // Clears the program file's read-only attribute, which would keep it from being
    // replaced, and remembers it for RestoreReadOnly; raises when it cannot.
    void ClearReadOnly();
    void RestoreReadOnly();
    // Raises, with the reason for the user, when the program file cannot be opened
    // exclusively within kWaitSeconds.
    void WaitForProgramEnd();
    // Raises, with the reason for the user, unless the new version is the publisher's
    // program for this architecture and newer than the installed one.
    void CheckUpdate();
    // The text of the signature copy; false when it cannot be read.
    bool ReadSignatureText(String& text);
    // Flushes the new version to disk, keeps the old program and moves the new one
    // into its place; raises, with the reason for the user, when a step fails.
    void Swap();
    // Moves the kept program back when the program file is missing; false when it
    // is missing and cannot be put back.
    bool RestoreProgram();
    // Deletes the new version and its signature copy; missing files are no failure.
    void RemoveUpdate();
    // Records the program kept by Swap, if any, and the updater for removal.
    void RecordLeftovers();

    String name_;
    String programName_;
    String publicKey_;
    String folder_;
    String updater_;
    util::version::UpdateFiles files_;
    // "<name> <version>" of the installed program and of the update, or "<name>"
    // when the file has no ProductVersion; the update's is read for the messages and
    // trusted only once its statement is checked.
    String installedLabel_;
    String updateLabel_;
    String installedVersion_;
    String updateVersion_;
    String caption_;
    String message_;
    bool readOnly_ = false;  // the program file was read-only
    bool kept_ = false;      // Swap has kept the old program
};
