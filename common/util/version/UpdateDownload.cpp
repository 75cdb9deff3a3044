// UpdateDownload: fetches an offered release into the program's folder and checks it there.
#include "UpdateDownload.h"

#include "common/Exception.h"
#include "common/io/ByteArrayOutputStream.h"
#include "common/net/UsesWinsock.h"
#include "common/net/http/HttpClient.h"

#include <string>

namespace util {
namespace version {

namespace {

// The downloads may be large and slow, but a server that stops sending for 30 seconds,
// or sends slower than 16 KiB a second beyond the first minute, must not hold the
// program for ever.
const int kDownloadTimeOutMilliseconds = 30000;
const int kDownloadTimeLimitMilliseconds = 60000;
const int kDownloadLeastBytesPerSecond = 16 * 1024;
const uint32_t kDownloadSizeLimit = 64 * 1024 * 1024;

}  // namespace

UpdateDownload::UpdateDownload(UpdateFiles& files, const wchar_t* name)
    : Object(L"UpdateDownload"),
      files_(files),
      name_(name),
      updater_(files.GetUpdater().GetText()),
      newVersion_(files.GetNewVersion().GetText()) {}

UpdateDownload::~UpdateDownload() = default;

bool UpdateDownload::Fetch(const UpdateInfo& info) {
    if (info.GetUpdaterSignature().GetLength() == 0 || info.GetDownloadSignature().GetLength() == 0) {
        throw new Exception(L"The update service did not sign the update, so it is not installed.");
    }
    for (const String* file :
         {&files_.GetRecord(), &files_.GetUpdater(), &files_.GetNewVersion(), &files_.GetSignatureCopy()}) {
        if (file == &files_.GetRecord() ? !files_.IsRecordUsable() : !files_.Claim(*file)) {
            throw new Exception(L"%s does not come from an update of %s, so it is not replaced.", *file, name_);
        }
    }
    net::UsesWinsock winsock;
    net::http::HttpClient client;
    client.SetRecvTimeOut(kDownloadTimeOutMilliseconds);
    client.SetTimeLimit(kDownloadTimeLimitMilliseconds, kDownloadLeastBytesPerSecond);
    client.SetSizeLimit(kDownloadSizeLimit);
    client.SetProxyChooser(proxy_);
    String what;
    bool cancelled = false;
    client.SetProgressListener([&](int64_t received, int64_t announced) {
        cancelled = progress_ && !progress_(what.GetText(), received, announced);
        return !cancelled;
    });
    struct Download {
        const wchar_t* url;
        const String& file;
        const wchar_t* failure;
    };
    String version;
    version.Format(L"%s %s", name_, info.GetVersion());
    for (const Download& download :
         {Download{info.GetUpdaterUrl(), files_.GetUpdater(), L"The updater could not be saved to:\n\n%s"},
          Download{info.GetDownloadUrl(), files_.GetNewVersion(), L"The new version could not be saved to:\n\n%s"}}) {
        if (&download.file == &files_.GetUpdater()) {
            what.Set(L"Downloading the updater");
        } else {
            what.Format(L"Downloading %s", version);
        }
        io::ByteArrayOutputStream bytes;
        if (!client.Get(download.url, &bytes)) {
            if (cancelled) return false;
            throw new Exception(download.failure, download.file);
        }
        files_.Write(download.file, bytes.GetBuffer() != nullptr ? bytes.GetBuffer() : "", bytes.GetSize());
    }
    // The signature is base64 and ASCII whitespace only, or it fails to decode.
    const String& signature = info.GetDownloadSignature();
    std::string ascii(signature.GetText(), signature.GetText() + signature.GetLength());
    files_.Write(files_.GetSignatureCopy(), ascii.data(), ascii.size());
    return true;
}

void UpdateDownload::Verify(const UpdateFileVerifier& verifier, const wchar_t* identifier, const UpdateInfo& info) {
    struct Check {
        File& held;
        UpdateRole role;
        const String& signature;
        const wchar_t* what;
    };
    for (const Check& check :
         {Check{updater_, UpdateRole::Updater, info.GetUpdaterSignature(), L"updater"},
          Check{newVersion_, UpdateRole::Program, info.GetDownloadSignature(), L"new version"}}) {
        check.held.OpenFile(FileAccess::Read, FileCreation::OpenExisting, FileSharing::Read);
        std::string bytes;
        String reason;
        if (!check.held.ReadAll(bytes, kDownloadSizeLimit)) {
            reason.Format(L"is not signed by the publisher of %s", identifier);
        } else {
            reason = verifier.Check(bytes, identifier, check.role, info.GetVersion().GetText(), check.signature);
        }
        if (reason.GetLength() > 0) throw new Exception(L"The downloaded %s %s.", check.what, reason);
    }
}

}  // namespace version
}  // namespace util
