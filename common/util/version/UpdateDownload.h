// UpdateDownload: fetches an offered release into the program's folder and checks it there.
#pragma once

#include "UpdateFileVerifier.h"
#include "UpdateFiles.h"
#include "UpdateInfo.h"

#include "common/Object.h"
#include "common/String.h"
#include "common/net/http/ProxyServer.h"
#include "common/util/File.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace util {
namespace version {

// Told what is being downloaded and how far it has come (announced: the size the server
// gave, -1 when it gave none); false cancels the download.
using DownloadProgress = std::function<bool(const wchar_t* what, int64_t received, int64_t announced)>;

// Fetches the updater, then the new version ("<name>.upd"), each whole into memory and
// then into a new file of the program's folder that the record names (UpdateFiles), and
// writes the new version's signature copy beside it, where the updater checks it once
// more. Each download is at most 64 MiB, fails when nothing comes for 30 seconds, and
// when it takes longer than a minute plus a second for every 16 KiB it announced. Then
// both files are opened so that nobody can write them and read from those handles for
// their checks; the handles are held until the object goes, so that the updater that is
// started is the updater that was checked. No text of the reply but its version reaches
// the reasons given.
class UpdateDownload : public Object {
public:
    // files: the update's files; not owned, must outlive the object. name: what the
    // texts call the program ("Enneo"); copied.
    UpdateDownload(UpdateFiles& files, const wchar_t* name);
    ~UpdateDownload();

    // Shown the progress of each download; empty for none.
    void SetProgress(DownloadProgress progress) { progress_ = std::move(progress); }
    // Chooses the proxy of each download; empty (the default) for none.
    void SetProxyChooser(net::http::ProxyChooser proxy) { proxy_ = std::move(proxy); }
    // Fetches and writes the files; false when the progress cancelled. Raises, with the
    // reason for the user, when the reply signs neither file, when a file of those names
    // is not the update's own (which is left alone, and nothing is fetched), or naming
    // the file of the first fetch that fails (the new version is not fetched when the
    // updater fails).
    bool Fetch(const UpdateInfo& info);
    // Raises, with the reason for the user, unless both files are what the publisher
    // released for their role, this architecture and the version offered, signed for
    // program identifier.
    void Verify(const UpdateFileVerifier& verifier, const wchar_t* identifier, const UpdateInfo& info);
    // The checked updater, held open so that nobody can change it; valid after Verify.
    const File& GetUpdater() const { return updater_; }

private:
    UpdateFiles& files_;
    String name_;
    DownloadProgress progress_;
    net::http::ProxyChooser proxy_;
    File updater_;
    File newVersion_;
};

}  // namespace version
}  // namespace util
