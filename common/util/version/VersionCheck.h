// VersionCheck: asks the update service for a newer release and installs it on consent.
#pragma once

#include "UpdateFiles.h"
#include "UpdateInfo.h"

#include "common/Object.h"
#include "common/String.h"

class IApplication;

namespace util {
namespace version {

// One update check runs synchronously on the calling thread: the service's XML reply
// is read, a newer version is offered in a message box, and on Yes the updater program
// and the new version are downloaded into the program's own folder (where the updater
// can replace the program), both are verified against the publisher's signature on
// their statements (UpdateStatement: this program, their role, this build's
// architecture, the version offered), the updater is started and the quit message
// posted. A reply whose version is not a plain dotted version offers nothing. Failures
// before the offer end the check without a word; failures while installing are shown
// in a box of their own,
// after the downloaded files are removed. The reply is bounded (64 KiB, about four
// seconds in all, name resolution included); each download to 64 MiB and a time that
// grows with its size, with a progress window once it takes longer than a second.
class VersionCheck : public Object {
public:
    // Removes what an update recorded in the program's folder (UpdateFiles: the
    // updater, the new version and its signature copy, "<name>.exe.old"; "<name>" is
    // the program file's own name, whatever the command line says) and, unless the
    // "CheckForUpdates" setting is "0", runs a check at once; a check that cannot even
    // make its HTTP client ends as if the service had not answered. serviceUrl is the
    // absolute "http://" URL of the service; publicKey the base64 text of the
    // publisher's PEM public key, empty when the build has none (then no update is
    // ever installed). Both are copied. Needs the registered IApplication.
    VersionCheck(const wchar_t* serviceUrl, const wchar_t* publicKey);

    // One complete check. Raises only when the HTTP client cannot be made.
    void Check();
    // Fetches the updater, then the new version ("<program name>.upd"), into the
    // program's folder, recording both first (UpdateFiles); raises naming the file of the
    // first fetch that fails (not its URL: no text of the reply but its version reaches a
    // box), or a file of those names there that no update recorded, which is left alone.
    // The new version is not fetched when the updater fails. False when the user
    // cancelled in the progress window.
    bool DownloadUpdate(const UpdateInfo& info);
    // False only when "CheckForUpdates" is "0"; a missing value is written as "1".
    bool IsAutoCheckEnabled();

private:
    // The offer box; true when the user answers Yes.
    bool OfferUpdate(const wchar_t* newVersion);
    // Downloads, verifies, starts the updater and posts the quit message; shows a
    // failure.
    void InstallUpdate(const UpdateInfo& info);
    // Raises, with the reason for the user, when the build has no key or the reply
    // signs neither file; the downloads are not worth making then.
    void CheckSignaturesOffered(const UpdateInfo& info);
    // Raises, with the reason for the user, unless both downloaded files are what the
    // publisher released for their role, this architecture and the version offered
    // (UpdateFileVerifier).
    void VerifyDownloads(const UpdateInfo& info);
    // Writes the new version's signature beside it ("<name>.upd.sig"), where the
    // updater checks it once more before it swaps the program. Raises when it cannot.
    void WriteSignatureCopy(const UpdateInfo& info);
    // The program's identifier sent to the service.
    const wchar_t* GetProgramIdentifier();

    String serviceUrl_;
    String publicKey_;
    IApplication* application_;
    String folder_;      // the program's folder, ending in a backslash
    UpdateFiles files_;  // the update's files in that folder
};

}  // namespace version
}  // namespace util
