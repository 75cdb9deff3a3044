// UpdateDownload: fetches an offered release into the program's folder and checks it there.
#include "UpdateDownload.h"

#include "common/CatalogueText.h"
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
        throw new Exception(L"%s", CatalogueText(TextId::kUpdateNotSigned));
    }
    for (const String* file :
         {&files_.GetRecord(), &files_.GetUpdater(), &files_.GetNewVersion(), &files_.GetSignatureCopy()}) {
        if (file == &files_.GetRecord() ? !files_.IsRecordUsable() : !files_.Claim(*file)) {
            throw new Exception(L"%s", CatalogueText(TextId::kUpdateNotFromUpdateOf, {file->ToWide(), name_.ToWide()}));
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
        String what;
        TextId failure;
    };
    for (const Download& download :
         {Download{info.GetUpdaterUrl(), files_.GetUpdater(), CatalogueText(TextId::kUpdateDownloadingUpdater),
                   TextId::kUpdateUpdaterNotSaved},
          Download{info.GetDownloadUrl(), files_.GetNewVersion(),
                   CatalogueText(TextId::kUpdateDownloadingVersion, {name_.ToWide(), info.GetVersion().ToWide()}),
                   TextId::kUpdateVersionNotSaved}}) {
        what = download.what;
        io::ByteArrayOutputStream bytes;
        if (!client.Get(download.url, &bytes)) {
            if (cancelled) return false;
            throw new Exception(L"%s", CatalogueText(download.failure, {download.file.ToWide()}));
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
        TextId failure;  // "The downloaded ... {1}."
    };
    for (const Check& check :
         {Check{updater_, UpdateRole::Updater, info.GetUpdaterSignature(), TextId::kUpdateDownloadedUpdater},
          Check{newVersion_, UpdateRole::Program, info.GetDownloadSignature(), TextId::kUpdateDownloadedVersion}}) {
        check.held.OpenFile(FileAccess::Read, FileCreation::OpenExisting, FileSharing::Read);
        std::string bytes;
        String reason;
        if (!check.held.ReadAll(bytes, kDownloadSizeLimit)) {
            reason = CatalogueText(TextId::kUpdateReasonNotSigned, {identifier});
        } else {
            reason = verifier.Check(bytes, identifier, check.role, info.GetVersion().GetText(), check.signature);
        }
        if (reason.GetLength() > 0) throw new Exception(L"%s", CatalogueText(check.failure, {reason.ToWide()}));
    }
}

}  // namespace version
}  // namespace util
