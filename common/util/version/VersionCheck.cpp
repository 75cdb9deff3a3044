// VersionCheck: asks the update service for a newer release and installs it on consent.
#include "VersionCheck.h"

#include "NewestVersionSeen.h"
#include "UpdateDownload.h"
#include "UpdateFileVerifier.h"
#include "UpdateQuery.h"

#include "common/CatalogueText.h"
#include "common/Exception.h"
#include "common/IApplication.h"
#include "common/gui/ProgressFeedback.h"
#include "common/net/proxy/UserProxy.h"
#include "common/util/IProperties.h"
#include "common/util/ProgramFile.h"

#include <windows.h>

#include <ctime>
#include <cwchar>
#include <exception>
#include <string>

namespace util {
namespace version {

namespace {

const wchar_t kSetting[] = L"CheckForUpdates";
// The platform's proxy finder (automatic detection, a configuration script) is given up
// after this long for each URL, well within the service question's own limit, which
// its time counts against.
const int kProxyLookupMilliseconds = 2000;

// The folder of a path, ending in a backslash; empty when it has none.
String FolderOf(const std::wstring& path) { return String(path.substr(0, path.find_last_of(L'\\') + 1).c_str()); }

// The file name of a path without its folder and its extension.
String StemOf(const std::wstring& path) {
    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return String(name.substr(0, name.find_last_of(L'.')).c_str());
}

// What a download window says: "<what>\n<received> KB of <total> KB", or without a
// total (-1) "<what>\n<received> KB".
String DownloadText(const wchar_t* what, int64_t received, int64_t total) {
    std::wstring kilobytes = std::to_wstring(received / 1024);
    if (total < 0) return CatalogueText(TextId::kUpdateProgress, {what, kilobytes});
    return CatalogueText(TextId::kUpdateProgressOf, {what, kilobytes, std::to_wstring(total / 1024)});
}

// "<name> update", the caption of the check's boxes and windows.
String CaptionOf(const wchar_t* name) { return CatalogueText(TextId::kUpdateCaption, {name}); }

}  // namespace

VersionCheck::VersionCheck(const wchar_t* serviceUrl, const wchar_t* publicKey)
    : Object(L"VersionCheck"),
      serviceUrl_(serviceUrl),
      publicKey_(publicKey),
      application_(IApplication::GetCurrent()),
      folder_(FolderOf(util::GetProgramFilePath())),
      files_(folder_.GetText(), StemOf(util::GetProgramFilePath()).GetText()) {
    // What the last update left: its downloads, and the previous program the updater
    // kept until this start; not while another copy updates.
    UpdateLock lock(folder_.GetText());
    if (lock.Acquire(0)) files_.RemoveRecorded();
    if (!IsAutoCheckEnabled()) return;
    try {
        Check();
    } catch (Exception* e) {
        // Raised before the program's entry point, where no handler stands.
        delete e;
    } catch (const std::exception&) {
        // Out of memory: no check, but the program starts.
    }
}

bool VersionCheck::IsAutoCheckEnabled() {
    IProperties* properties = application_->GetProperties();
    String value;
    if (properties->GetProperty(kSetting, value, nullptr)) return std::wcscmp(value.GetText(), L"0") != 0;
    properties->SetProperty(kSetting, L"1", nullptr);
    return true;
}

const wchar_t* VersionCheck::GetProgramIdentifier() {
    const wchar_t* identifier = application_->GetOriginalFilename();
    return identifier != nullptr && *identifier != 0 ? identifier : application_->GetProductName();
}

void VersionCheck::Check(Asked asked, HWND owner) {
    if (checking_) return;
    checking_ = true;
    owner_ = owner;
    try {
        Run(asked);
    } catch (...) {
        checking_ = false;
        owner_ = nullptr;
        throw;
    }
    checking_ = false;
    owner_ = nullptr;
}

void VersionCheck::Run(Asked asked) {
    UpdatePublicKey key;
    key.Read(publicKey_.GetText());  // empty unless it reads: then nothing is offered
    NewestVersionSeen seen(application_->GetProperties());
    String newest = seen.Get();
    UpdateQuery query({GetProgramIdentifier(), application_->GetProductVersion(), newest.GetText(), std::time(nullptr)},
                      key);
    net::proxy::UserProxy proxy(kProxyLookupMilliseconds);
    UpdateVerdict verdict = query.Ask(serviceUrl_.GetText(), proxy.Chooser());
    seen.Raise(query.GetSignedVersion().GetText());
    if (verdict == UpdateVerdict::Offer) {
        if (OfferUpdate(query.GetInfo().GetVersion().GetText())) InstallUpdate(query.GetInfo(), key, proxy);
    } else if (asked == Asked::ByUser) {
        const UpdateFinding& finding = query.GetFinding();
        String caption = CaptionOf(application_->GetApplicationName());
        UINT icon = finding.kind == UpdateFinding::Kind::UpToDate ? MB_ICONINFORMATION : MB_ICONWARNING;
        MessageBoxW(owner_, finding.GetSentence().GetText(), caption.GetText(), icon | MB_OK);
    }
}

bool VersionCheck::OfferUpdate(const wchar_t* newVersion) {
    const wchar_t* name = application_->GetApplicationName();
    String caption = CaptionOf(name);
    String running(application_->GetProductVersion());  // null without a version resource
    String text = CatalogueText(TextId::kUpdateOffer, {name, running.ToWide(), newVersion});
    return MessageBoxW(owner_, text.GetText(), caption.GetText(), MB_ICONINFORMATION | MB_YESNO) == IDYES;
}

void VersionCheck::InstallUpdate(const UpdateInfo& info, const UpdatePublicKey& key, net::proxy::UserProxy& proxy) {
    const wchar_t* name = application_->GetApplicationName();
    auto lock = std::make_unique<UpdateLock>(folder_.GetText());
    if (!lock->Acquire(0)) {
        ShowInstallError(CatalogueText(TextId::kUpdateAnotherCopy).GetText());
        return;
    }
    try {
        UpdateDownload download(files_, name);
        {
            gui::ProgressFeedback feedback(CaptionOf(name).GetText());
            download.SetProxyChooser(proxy.Chooser());
            download.SetProgress([&](const wchar_t* what, int64_t received, int64_t announced) {
                return feedback.Update(DownloadText(what, received, announced).GetText(), received, announced);
            });
            if (!download.Fetch(info)) {
                files_.RemoveRecorded();  // cancelled: nothing to say
                return;
            }
        }
        download.Verify(UpdateFileVerifier(key), GetProgramIdentifier(), info);
        StartUpdater(download.GetUpdater());
        updating_ = std::move(lock);
        // Ends the message loop at its next turn (or as soon as it starts), so that
        // the updater can replace the program.
        PostQuitMessage(0);
    } catch (Exception* e) {
        files_.RemoveRecorded();
        ShowInstallError(e->GetMessageText());
        delete e;
    }
}

void VersionCheck::ShowInstallError(const wchar_t* reason) {
    MessageBoxW(owner_, CatalogueText(TextId::kUpdateInstallError, {reason}).GetText(),
                CatalogueText(TextId::kUpdateInstallErrorCaption).GetText(), MB_OK);
}

void VersionCheck::StartUpdater(const File& updater) {
    if (!util::StartProgramFile(updater.GetPath().GetText(), folder_.GetText())) {
        throw new Exception(L"%s", CatalogueText(TextId::kUpdateUpdaterNotStarted));
    }
}

}  // namespace version
}  // namespace util
