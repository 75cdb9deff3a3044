// VersionCheck: asks the update service for a newer release and installs it on consent.
#pragma once

#include "UpdateFiles.h"
#include "UpdateInfo.h"
#include "UpdateLock.h"
#include "UpdatePublicKey.h"

#include "common/Object.h"
#include "common/String.h"
#include "common/net/proxy/UserProxy.h"
#include "common/util/File.h"

#include <windows.h>

#include <memory>

class IApplication;

namespace util {
namespace version {

// Coordinates one update check on the calling thread, and keeps to itself only what
// needs Windows: the boxes, the progress window and starting the updater. The service's
// reply is judged by UpdateQuery (a newer release only when a valid, unexpired latest
// statement of the publisher names it; the newest version ever seen signed is kept in
// the settings, NewestVersionSeen, and nothing below it is offered); a newer version is
// offered in a message box, and on Yes the updater program and the new version are
// downloaded into the program's own folder and checked there (UpdateDownload), the
// updater is started from the very file that was checked and the quit message posted.
// The question and the downloads go through the proxy the user's settings choose
// (net::proxy::UserProxy, read anew for each check).
// Failures before the offer end a check at start without a word; a check from the menu
// always ends in a box, which says what it found (UpdateFinding: up to date, no answer,
// out of date, unsigned...). Failures while installing are shown in a box of their own,
// after the downloaded files are removed.
class VersionCheck : public Object {
public:
    // Who asked for a check: the start-up check is silent unless it offers something.
    enum class Asked { AtStart, ByUser };

    // Removes what an update recorded in the program's folder (UpdateFiles: the updater,
    // the new version and its signature copy, "<name>.exe.old"; "<name>" is the program
    // file's own name, whatever the command line says), unless another copy is updating
    // there, and, unless the "CheckForUpdates" setting is "0", runs a check at once.
    // serviceUrl is the absolute "http://" URL of the service; publicKey the base64 text
    // of the publisher's PEM public key, empty when the build has none (then no update
    // is ever offered). Both are copied. Needs the registered IApplication.
    VersionCheck(const wchar_t* serviceUrl, const wchar_t* publicKey);

    // One complete check; a check that cannot even make its HTTP client ends as if the
    // service had not answered.
    // owner: the window its boxes and progress belong to (disabled while they stand),
    // null when there is none yet (at start). A check asked for while one runs (from a
    // box's message loop) does nothing: the one running goes on alone.
    void Check(Asked asked = Asked::AtStart, HWND owner = nullptr);
    // False only when "CheckForUpdates" is "0"; a missing value is written as "1".
    bool IsAutoCheckEnabled();

private:
    // The check itself, once no other one runs.
    void Run(Asked asked);
    // The offer box; true when the user answers Yes.
    bool OfferUpdate(const wchar_t* newVersion);
    // Downloads (through the user's proxy), verifies, starts the updater and posts the
    // quit message; shows a failure.
    void InstallUpdate(const UpdateInfo& info, const UpdatePublicKey& key, net::proxy::UserProxy& proxy);
    // The error box of an update that could not be installed, for the reason.
    void ShowInstallError(const wchar_t* reason);
    // Starts the checked updater, in the program's folder, while it is held open.
    void StartUpdater(const File& updater);
    // The program's identifier sent to the service.
    const wchar_t* GetProgramIdentifier();

    String serviceUrl_;
    String publicKey_;
    IApplication* application_;
    String folder_;      // the program's folder, ending in a backslash
    UpdateFiles files_;  // the update's files in that folder
    // Held from the download of an update until the program ends, so that no other
    // copy updates in the folder before the updater has done.
    std::unique_ptr<UpdateLock> updating_;
    bool checking_ = false;
    HWND owner_ = nullptr;  // of the boxes of the check that runs
};

}  // namespace version
}  // namespace util
