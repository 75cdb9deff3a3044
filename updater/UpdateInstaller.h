// UpdateInstaller: puts a downloaded new version of a program in the old one's place.
#pragma once

#include "common/Object.h"
#include "common/String.h"

#include <vector>

// Replaces "<name>.exe" by "<name>.upd" in one folder, once the program has ended and
// only when the publisher signed the new version ("<name>.upd.sig") and it is newer.
// The old program is kept as "<name>.exe.old" and the new one moved over it in one
// step, so that the folder holds a whole program at every moment the installer stops.
class UpdateInstaller : public Object {
public:
    // How long Install waits for the program to let go of its file.
    static constexpr int kWaitSeconds = 30;

    // folder: ends in a backslash; name: the program's file name without ".exe";
    // publicKey: the base64 text of the publisher's PEM public key, empty when there is
    // none (then nothing is installed). All are copied.
    UpdateInstaller(const wchar_t* folder, const wchar_t* name, const wchar_t* publicKey);

    // The names of the programs in folder (ending in a backslash) that have an update
    // waiting: each "<name>" with both "<name>.upd" and "<name>.exe" there.
    static std::vector<String> FindUpdates(const wchar_t* folder);

    // True when the new version is in place. Otherwise the old program is, and
    // GetMessageText says why for the user; an update that is refused (unsigned,
    // signed by another key, or not newer) is deleted with its signature.
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
    // exclusively within kWaitSeconds.
    void WaitForProgramEnd();
    // Raises, with the reason for the user, unless the new version carries the
    // publisher's signature and is newer than the installed one.
    void CheckUpdate();
    // The text of the signature copy; false when it cannot be read.
    bool ReadSignatureText(String& text);
    // Keeps the old program and moves the new one into its place; raises, with the
    // reason for the user, when either step fails.
    void Swap();
    // Moves the kept program back when the program file is missing; false when it
    // is missing and cannot be put back.
    bool RestoreProgram();
    // Deletes the new version and its signature copy; missing files are no failure.
    void RemoveUpdate();

    String name_;
    String publicKey_;
    String folder_;
    String programFile_;    // "<name>.exe"
    String keptFile_;       // "<name>.exe.old"
    String updateFile_;     // "<name>.upd"
    String signatureFile_;  // "<name>.upd.sig"
    // "<name> <version>" of the installed program and of the update, or "<name>"
    // when the file has no ProductVersion; the update's is read for the messages and
    // trusted only once its signature is checked.
    String installedLabel_;
    String updateLabel_;
    String installedVersion_;
    String updateVersion_;
    String caption_;
    String message_;
};
