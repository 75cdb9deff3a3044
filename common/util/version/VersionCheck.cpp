// VersionCheck: asks the update service for a newer release and installs it on consent.
#include "VersionCheck.h"

#include "UpdateFileVerifier.h"
#include "UpdatePublicKey.h"
#include "UpdateStatement.h"
#include "Version.h"

#include "common/Exception.h"
#include "common/IApplication.h"
#include "common/gui/DownloadProgressWindow.h"
#include "common/io/ByteArrayOutputStream.h"
#include "common/io/FileOutputStream.h"
#include "common/net/UsesWinsock.h"
#include "common/net/http/HttpClient.h"
#include "common/util/IProperties.h"
#include "common/util/ProgramFile.h"
#include "common/xml/rapidxml/RapidXMLDocument.h"

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <cwchar>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace util {
namespace version {

namespace {

const wchar_t kSetting[] = L"CheckForUpdates";
// The reply must come quickly: the check blocks the program while it waits (at start-up
// before its window appears). It is small, so a service that trickles it is given up
// after two seconds, and the whole request, name resolution included, after four.
const int kReplyTimeOutMilliseconds = 1000;
const int kReplyMinimumBytes = 1024;
const int kReplyProgressMilliseconds = 2000;
const int kReplyTimeLimitMilliseconds = 4000;
const int kReplySizeLimit = 64 * 1024;
// The downloads may be large and slow, but a server that stops sending for 30 seconds,
// or sends slower than 16 KiB a second beyond the first minute, must not hold the
// program for ever.
const int kDownloadTimeOutMilliseconds = 30000;
const int kDownloadTimeLimitMilliseconds = 60000;
const int kDownloadLeastBytesPerSecond = 16 * 1024;
const int kDownloadSizeLimit = 64 * 1024 * 1024;
// A download that takes longer than this shows its progress.
const std::chrono::milliseconds kProgressDelay(1000);

// The folder of a path, ending in a backslash; empty when it has none.
String FolderOf(const std::wstring& path) { return String(path.substr(0, path.find_last_of(L'\\') + 1).c_str()); }

// The file name of a path without its folder and its extension.
String StemOf(const std::wstring& path) {
    std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return String(name.substr(0, name.find_last_of(L'.')).c_str());
}

// The feedback of the downloads: from the start the thread's messages are pumped
// between receives, so that the windows stay painted, while the active window (the
// board, for a check from the menu) is disabled as under a modal dialog; once the
// downloads have taken longer than kProgressDelay the progress window shows.
class DownloadFeedback {
public:
    explicit DownloadFeedback(const wchar_t* caption)
        : caption_(caption), start_(std::chrono::steady_clock::now()), owner_(GetActiveWindow()) {
        if (owner_ != nullptr) EnableWindow(owner_, FALSE);
    }
    ~DownloadFeedback() {
        if (window_ != nullptr) window_->Destroy();
        if (owner_ != nullptr) EnableWindow(owner_, TRUE);
    }
    DownloadFeedback(const DownloadFeedback&) = delete;
    DownloadFeedback& operator=(const DownloadFeedback&) = delete;

    // Shows the progress of what is downloaded and pumps the messages; false when the
    // user has cancelled, or the program is asked to end.
    bool Update(const wchar_t* what, int64_t received, int64_t announced) {
        if (window_ == nullptr && std::chrono::steady_clock::now() - start_ >= kProgressDelay) {
            window_ = std::make_unique<gui::DownloadProgressWindow>();
            window_->Create(owner_);
            window_->SetText(caption_.GetText());
            window_->Show(SW_SHOWNORMAL);
        }
        if (window_ != nullptr) window_->ShowProgress(what, received, announced);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the message loop
                return false;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return window_ == nullptr || !window_->IsCancelled();
    }

private:
    String caption_;
    std::chrono::steady_clock::time_point start_;
    HWND owner_;
    std::unique_ptr<gui::DownloadProgressWindow> window_;
};

}  // namespace

VersionCheck::VersionCheck(const wchar_t* serviceUrl, const wchar_t* publicKey)
    : Object(L"VersionCheck"),
      serviceUrl_(serviceUrl),
      publicKey_(publicKey),
      application_(IApplication::GetCurrent()),
      folder_(FolderOf(util::GetProgramFilePath())),
      files_(folder_.GetText(), StemOf(util::GetProgramFilePath()).GetText()) {
    // What the last update left: its downloads, and the previous program the updater
    // kept until this start.
    files_.RemoveRecorded();
    if (!IsAutoCheckEnabled()) return;
    try {
        Check();
    } catch (Exception* e) {
        // Raised before the program's entry point, where no handler stands.
        delete e;
    } catch (const std::exception&) {
        // Out of memory while making the client: no check, but the program starts.
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

void VersionCheck::Check() {
    net::UsesWinsock winsock;
    net::http::HttpClient client;
    io::ByteArrayOutputStream reply;
    String url;
    url.Format(L"%s?name=%s", serviceUrl_, GetProgramIdentifier());
    try {
        client.SetRecvTimeOut(kReplyTimeOutMilliseconds);
        client.SetMinimumProgress(kReplyMinimumBytes, kReplyProgressMilliseconds);
        client.SetTimeLimit(kReplyTimeLimitMilliseconds);
        client.SetSizeLimit(kReplySizeLimit);
        if (!client.Get(url.GetText(), &reply)) return;
        const String& replyText = reply.ToString();
        std::vector<wchar_t> text(replyText.GetText(), replyText.GetText() + replyText.GetLength());
        text.push_back(0);
        xml::rapidxml::RapidXMLDocument document;
        document.Parse(text.data());
        UpdateInfo info(&document);
        info.ReadReply();
        // The version text is shown and goes into file checks: it must be nothing else.
        if (!Version::IsVersionText(info.GetVersion().GetText())) return;
        if (!Version(info.GetVersion().GetText()).IsNewerThan(Version(application_->GetProductVersion()))) return;
        if (OfferUpdate(info.GetVersion().GetText())) InstallUpdate(info);
    } catch (Exception* e) {
        // No connection, a reply that is not XML or lacks an element: nothing to offer.
        delete e;
    } catch (const std::exception&) {
        // Out of memory on a hostile reply: nothing to offer either.
    }
}

bool VersionCheck::OfferUpdate(const wchar_t* newVersion) {
    const wchar_t* name = application_->GetApplicationName();
    String caption;
    caption.Format(L"%s update", name);
    String text;
    text.Format(L"An update for %s %s is available.\n\nDo you want to download %s %s?", name,
                application_->GetProductVersion(), name, newVersion);
    return MessageBoxW(nullptr, text.GetText(), caption.GetText(), MB_ICONINFORMATION | MB_YESNO) == IDYES;
}

void VersionCheck::InstallUpdate(const UpdateInfo& info) {
    try {
        CheckSignaturesOffered(info);
        if (!DownloadUpdate(info)) {
            files_.RemoveRecorded();  // cancelled: nothing to say
            return;
        }
        VerifyDownloads(info);
        WriteSignatureCopy(info);
        auto started = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", files_.GetUpdater().GetText(), nullptr, folder_.GetText(), SW_SHOW));
        if (started <= 32) throw new Exception(L"The updater could not be started.");
        // Ends the message loop at its next turn (or as soon as it starts), so that
        // the updater can replace the program.
        PostQuitMessage(0);
    } catch (Exception* e) {
        files_.RemoveRecorded();
        String text;
        text.Format(L"Sorry, there was an error while installing the update.\n\n%s\n\nYou may retry again later.",
                    e->GetMessageText());
        delete e;
        MessageBoxW(nullptr, text.GetText(), L"Error while installing update.", MB_OK);
    }
}

void VersionCheck::CheckSignaturesOffered(const UpdateInfo& info) {
    const wchar_t* name = application_->GetApplicationName();
    if (publicKey_.GetLength() == 0) {
        throw new Exception(L"This copy of %s has no publisher key to check updates with, so it installs none.",
                            name);
    }
    if (info.GetUpdaterSignature().GetLength() == 0 || info.GetDownloadSignature().GetLength() == 0) {
        throw new Exception(L"The update service did not sign the update, so it is not installed.");
    }
}

bool VersionCheck::DownloadUpdate(const UpdateInfo& info) {
    const wchar_t* name = application_->GetApplicationName();
    // A file of these names that no update recorded is someone else's: it is neither
    // replaced now nor removed later.
    for (const String* file : {&files_.GetUpdater(), &files_.GetNewVersion(), &files_.GetSignatureCopy()}) {
        if (GetFileAttributesW(file->GetText()) != INVALID_FILE_ATTRIBUTES && !files_.IsRecorded(*file)) {
            throw new Exception(L"%s does not come from an update of %s, so it is not replaced.", *file, name);
        }
    }
    files_.Record({&files_.GetUpdater(), &files_.GetNewVersion(), &files_.GetSignatureCopy()});
    net::http::HttpClient client;
    client.SetRecvTimeOut(kDownloadTimeOutMilliseconds);
    client.SetTimeLimit(kDownloadTimeLimitMilliseconds, kDownloadLeastBytesPerSecond);
    client.SetSizeLimit(kDownloadSizeLimit);
    String caption;
    caption.Format(L"%s update", name);
    DownloadFeedback feedback(caption.GetText());
    String what(L"Downloading the updater");
    bool cancelled = false;
    client.SetProgressListener([&](int64_t received, int64_t announced) {
        cancelled = !feedback.Update(what.GetText(), received, announced);
        return !cancelled;
    });
    if (!client.GetToFile(info.GetUpdaterUrl(), files_.GetUpdater().GetText())) {
        if (cancelled) return false;
        throw new Exception(L"The updater could not be saved to:\n\n%s", files_.GetUpdater());
    }
    what.Format(L"Downloading %s %s", name, info.GetVersion());
    if (!client.GetToFile(info.GetDownloadUrl(), files_.GetNewVersion().GetText())) {
        if (cancelled) return false;
        throw new Exception(L"The new version could not be saved to:\n\n%s", files_.GetNewVersion());
    }
    return true;
}

void VersionCheck::VerifyDownloads(const UpdateInfo& info) {
    UpdatePublicKey key;
    if (!key.Read(publicKey_.GetText())) {
        throw new Exception(L"The publisher key of this copy of %s cannot be read, so it installs no update.",
                            application_->GetApplicationName());
    }
    UpdateFileVerifier verifier(key);
    struct Download {
        const String& file;
        UpdateRole role;
        const String& signature;
        const wchar_t* what;
    };
    for (const Download& download :
         {Download{files_.GetUpdater(), UpdateRole::Updater, info.GetUpdaterSignature(), L"updater"},
          Download{files_.GetNewVersion(), UpdateRole::Program, info.GetDownloadSignature(), L"new version"}}) {
        String reason = verifier.Check(download.file.GetText(), GetProgramIdentifier(), download.role,
                                       info.GetVersion().GetText(), download.signature);
        if (reason.GetLength() > 0) throw new Exception(L"The downloaded %s %s.", download.what, reason);
    }
}

void VersionCheck::WriteSignatureCopy(const UpdateInfo& info) {
    // The text decoded as a signature, so it is base64 and ASCII whitespace only.
    const String& text = info.GetDownloadSignature();
    std::string ascii(text.GetText(), text.GetText() + text.GetLength());
    io::FileOutputStream file(files_.GetSignatureCopy().GetText());
    file.Write(ascii.data(), static_cast<int>(ascii.size()));
}

}  // namespace version
}  // namespace util
