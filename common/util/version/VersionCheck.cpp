// VersionCheck: asks the update service for a newer release and installs it on consent.
#include "VersionCheck.h"

#include "Version.h"

#include "app/Application.h"
#include "common/Exception.h"
#include "common/io/ByteArrayOutputStream.h"
#include "common/net/UsesWinsock.h"
#include "common/net/http/HttpClient.h"
#include "common/util/File.h"
#include "common/xml/rapidxml/RapidXMLDocument.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>
#include <vector>

namespace util {
namespace version {

namespace {

const wchar_t kSetting[] = L"CheckForUpdates";
// The reply must come quickly: the check blocks the program while it waits. It is
// small, so a service that trickles it is given up after two seconds.
const int kReplyTimeOutMilliseconds = 1000;
const int kReplyMinimumBytes = 1024;
const int kReplyProgressMilliseconds = 2000;
// The downloads may be large and slow, but a server that stops sending must not hold
// the program for ever.
const int kDownloadTimeOutMilliseconds = 30000;

}  // namespace

VersionCheck::VersionCheck(const wchar_t* serviceUrl)
    : Object(L"VersionCheck"),
      serviceUrl_(serviceUrl),
      application_(Application::GetInstance()),
      updaterFile_(L"updater.exe") {
    File(updaterFile_.GetText()).Delete();  // a missing file is no failure here
    if (!IsAutoCheckEnabled()) return;
    try {
        Check();
    } catch (Exception* e) {
        // Raised before the program's entry point, where no handler stands.
        delete e;
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
        if (!client.Get(url.GetText(), &reply)) return;
        const String& replyText = reply.ToString();
        std::vector<wchar_t> text(replyText.GetText(), replyText.GetText() + replyText.GetLength());
        text.push_back(0);
        xml::rapidxml::RapidXMLDocument document;
        document.Parse(text.data());
        UpdateInfo info(&document);
        info.ReadReply();
        if (!Version(info.GetVersion().GetText()).IsNewerThan(Version(application_->GetProductVersion()))) return;
        if (OfferUpdate(info.GetVersion().GetText())) InstallUpdate(info);
    } catch (Exception* e) {
        // No connection, a reply that is not XML or lacks an element: nothing to offer.
        delete e;
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
        DownloadUpdate(info);
        ShellExecuteW(nullptr, L"open", updaterFile_.GetText(), nullptr, nullptr, SW_SHOW);
        // Ends the message loop at its next turn (or as soon as it starts), so that
        // the updater can replace the program.
        PostQuitMessage(0);
    } catch (Exception* e) {
        String text;
        text.Format(L"Sorry, there was an error while installing the update.\n\n%s\n\nYou may retry again later.",
                    e->GetMessageText());
        delete e;
        MessageBoxW(nullptr, text.GetText(), L"Error while installing update.", MB_OK);
    }
}

bool VersionCheck::DownloadUpdate(const UpdateInfo& info) {
    net::http::HttpClient client;
    client.SetRecvTimeOut(kDownloadTimeOutMilliseconds);
    if (!client.GetToFile(info.GetUpdaterUrl(), updaterFile_.GetText())) {
        throw new Exception(L"The updater at:\n\n%s\n\ncould not be saved to:\n\n%s", info.GetUpdaterUrl(),
                            updaterFile_);
    }
    String newVersionFile;
    newVersionFile.Format(L"%s.upd", application_->GetProgramName());
    if (!client.GetToFile(info.GetDownloadUrl(), newVersionFile.GetText())) {
        throw new Exception(L"The new version at:\n\n%s\n\ncould not be saved to:\n\n%s", info.GetDownloadUrl(),
                            newVersionFile);
    }
    return true;
}

}  // namespace version
}  // namespace util
