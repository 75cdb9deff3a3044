// UpdateQuery: asks the update service and decides what its reply offers.
#include "UpdateQuery.h"

#include "LatestStatement.h"
#include "SignatureVerifier.h"
#include "Version.h"

#include "common/Exception.h"
#include "common/io/ByteArrayOutputStream.h"
#include "common/net/UsesWinsock.h"
#include "common/net/http/HttpClient.h"

#include <exception>
#include <memory>
#include <vector>

namespace util {
namespace version {

namespace {

// The reply must come quickly: the check blocks the program while it waits (at start-up
// before its window appears). It is small, so a service that trickles it is given up
// after two seconds, and the whole request, name resolution included, after four.
const int kReplyTimeOutMilliseconds = 1000;
const int kReplyMinimumBytes = 1024;
const int kReplyProgressMilliseconds = 2000;
const int kReplyTimeLimitMilliseconds = 4000;
const int kReplySizeLimit = 64 * 1024;

bool IsOlder(const String& version, const String& than) {
    return Version(than.GetText()).IsNewerThan(Version(version.GetText()));
}

}  // namespace

UpdateQuery::UpdateQuery(const UpdateAsker& asker, const UpdatePublicKey& key)
    : Object(L"UpdateQuery"),
      name_(asker.name),
      runningVersion_(asker.runningVersion),
      newestSeen_(asker.newestSeen),
      now_(asker.now),
      key_(key),
      info_(&document_) {}

UpdateVerdict UpdateQuery::Ask(const wchar_t* serviceUrl) {
    net::UsesWinsock winsock;
    net::http::HttpClient client;
    io::ByteArrayOutputStream reply;
    String url;
    url.Format(L"%s?name=%s", serviceUrl, name_);
    client.SetRecvTimeOut(kReplyTimeOutMilliseconds);
    client.SetMinimumProgress(kReplyMinimumBytes, kReplyProgressMilliseconds);
    client.SetTimeLimit(kReplyTimeLimitMilliseconds);
    client.SetSizeLimit(kReplySizeLimit);
    try {
        if (!client.Get(url.GetText(), &reply)) return UpdateVerdict::NoAnswer;
    } catch (Exception* e) {
        delete e;  // no connection
        return UpdateVerdict::NoAnswer;
    } catch (const std::exception&) {
        return UpdateVerdict::NoAnswer;  // out of memory on a hostile reply
    }
    return Decide(reply.GetSize() > 0 ? std::string(reply.GetBuffer(), reply.GetSize()) : std::string());
}

UpdateVerdict UpdateQuery::Decide(const std::string& reply) {
    try {
        // The bytes up to the first zero, as text of the system's narrow code page.
        String text;
        text.SetAnsi(reply.c_str());
        std::vector<wchar_t> parsed(text.GetText(), text.GetText() + text.GetLength());
        parsed.push_back(0);
        document_.Parse(parsed.data());
        info_.ReadReply();
        return Judge();
    } catch (Exception* e) {
        // A reply that is not XML or lacks an element, a key the system refuses.
        delete e;
    } catch (const std::exception&) {
        // Out of memory on a hostile reply.
    }
    return UpdateVerdict::NoAnswer;
}

UpdateVerdict UpdateQuery::Distrust(UpdateVerdict verdict, const String& reason) {
    reason_ = reason;
    return verdict;
}

UpdateVerdict UpdateQuery::Judge() {
    String reason;
    if (key_.IsEmpty()) {
        reason.Format(L"This copy of %s has no publisher key to check updates with, so it installs none.", name_);
        return Distrust(UpdateVerdict::Unsigned, reason);
    }
    LatestStatement latest(name_, info_.GetLatestVersion(), info_.GetLatestExpires());
    if (!latest.IsSignedBy(SignatureVerifier(key_), info_.GetLatestSignature())) {
        reason.Format(L"The update service's answer is not signed by the publisher of %s, so it offers no update.",
                      name_);
        return Distrust(UpdateVerdict::Unsigned, reason);
    }
    signedVersion_ = latest.GetVersion();
    if (newestSeen_.GetLength() > 0 && IsOlder(signedVersion_, newestSeen_)) {
        reason.Format(L"The update service's answer is out of date: it names %s %s, but %s %s has been released.",
                      name_, signedVersion_, name_, newestSeen_);
        return Distrust(UpdateVerdict::OutOfDate, reason);
    }
    if (latest.GetExpiry() <= now_) {
        reason.Format(L"The update service's answer is out of date, so it cannot tell whether a newer %s exists.",
                      name_);
        return Distrust(UpdateVerdict::OutOfDate, reason);
    }
    if (info_.GetMessageText().GetLength() > 0) return UpdateVerdict::UpToDate;
    // The version text is shown and goes into file checks: it must be nothing else.
    const String& offered = info_.GetVersion();
    if (!Version::IsVersionText(offered.GetText())) return UpdateVerdict::NoAnswer;
    if (IsOlder(offered, signedVersion_) || IsOlder(signedVersion_, offered)) {
        reason.Format(L"The update service's answer is out of date: it offers %s %s, but %s %s has been released.",
                      name_, offered, name_, signedVersion_);
        return Distrust(UpdateVerdict::OutOfDate, reason);
    }
    return Version(offered.GetText()).IsNewerThan(Version(runningVersion_.GetText())) ? UpdateVerdict::Offer
                                                                                      : UpdateVerdict::UpToDate;
}

}  // namespace version
}  // namespace util
