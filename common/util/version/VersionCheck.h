// VersionCheck: asks the update service for a newer release and installs it on consent.
#pragma once

#include "UpdateInfo.h"

#include "common/Object.h"
#include "common/String.h"

class Application;

namespace util {
namespace version {

// One update check runs synchronously on the calling thread: the service's XML reply
// is read, a newer version is offered in a message box, and on Yes the updater program
// and the new version are downloaded into the current directory, the updater is
// started and the quit message posted. Failures before the offer end the check
// without a word; failures while installing are shown in a box of their own.
class VersionCheck : public Object {
public:
    // Removes a leftover "updater.exe" from the current directory and, unless the
    // "CheckForUpdates" setting is "0", runs a check at once; a check that cannot even
    // make its HTTP client ends as if the service had not answered. serviceUrl is the
    // absolute "http://" URL of the service, copied. Needs the process's Application.
    explicit VersionCheck(const wchar_t* serviceUrl);

    // One complete check. Raises only when the HTTP client cannot be made.
    void Check();
    // Fetches the updater, then the new version ("<program name>.upd"); raises naming
    // the URL and the file of the first fetch that fails. The new version is not
    // fetched when the updater fails.
    bool DownloadUpdate(const UpdateInfo& info);
    // False only when "CheckForUpdates" is "0"; a missing value is written as "1".
    bool IsAutoCheckEnabled();

private:
    // The offer box; true when the user answers Yes.
    bool OfferUpdate(const wchar_t* newVersion);
    // Downloads, starts the updater and posts the quit message; shows a failure.
    void InstallUpdate(const UpdateInfo& info);
    // The program's identifier sent to the service.
    const wchar_t* GetProgramIdentifier();

    String serviceUrl_;
    Application* application_;
    String updaterFile_;
};

}  // namespace version
}  // namespace util
