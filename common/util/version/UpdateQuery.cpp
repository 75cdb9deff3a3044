// UpdateQuery: asks the update service and decides what its reply offers.
#include "UpdateQuery.h"

#include "LatestStatement.h"
#include "SignatureVerifier.h"
#include "Version.h"

#include "common/Exception.h"
#include "common/io/ByteArrayOutputStream.h"
#include "common/net/UsesWinsock.h"
#include "common/net/http/HttpClient.h"
#include "languages/Language.h"

#include <cstddef>
#include <exception>
#include <memory>
#include <string>
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
// A failure's phrase may name an address that a redirect gave: a box shows at most
// this much of it.
const size_t kPhraseLimit = 200;

bool IsOlder(const String& version, const String& than) {
    return Version(than.GetText()).IsNewerThan(Version(version.GetText()));
}

// The client's phrase for a failed request, fit for a box: control characters become
// blanks (none may break or reorder the box's lines) and a long one is cut short.
String PhraseOf(const String& failure) {
    std::wstring text(failure.GetLength() > 0 ? failure.ToWide() : Language::Text(TextId::kUpdateRequestNotMade));
    if (text.size() > kPhraseLimit) text = text.substr(0, kPhraseLimit) + L"...";
    for (wchar_t& c : text) {
        if (c < 0x20 || (c >= 0x7F && c < 0xA0)) c = L' ';
    }
    return String(text.c_str());
}

}  // namespace

UpdateQuery::UpdateQuery(const UpdateAsker& asker, const UpdatePublicKey& key)
    : Object(L"UpdateQuery"),
      name_(asker.name),
      runningVersion_(asker.runningVersion),
      newestSeen_(asker.newestSeen),
      now_(asker.now),
      key_(key),
      info_(&document_) {
    finding_.name = name_;
    finding_.running = runningVersion_;
}

UpdateVerdict UpdateQuery::Ask(const wchar_t* serviceUrl, const net::http::ProxyChooser& proxy) {
    String failure;
    try {
        net::UsesWinsock winsock;
        net::http::HttpClient client;
        io::ByteArrayOutputStream reply;
        String url;
        url.Format(L"%s?name=%s", serviceUrl, name_);
        client.SetRecvTimeOut(kReplyTimeOutMilliseconds);
        client.SetMinimumProgress(kReplyMinimumBytes, kReplyProgressMilliseconds);
        client.SetTimeLimit(kReplyTimeLimitMilliseconds);
        client.SetSizeLimit(kReplySizeLimit);
        client.SetProxyChooser(proxy);
        if (client.Get(url.GetText(), &reply)) {
            return Decide(reply.GetSize() > 0 ? std::string(reply.GetBuffer(), reply.GetSize()) : std::string());
        }
        failure = client.GetFailure();
    } catch (Exception* e) {
        delete e;  // Winsock or the client could not be made
    } catch (const std::exception&) {
        // Out of memory on a hostile reply.
    }
    finding_.why = PhraseOf(failure);
    return Find(UpdateVerdict::NoAnswer, UpdateFinding::Kind::NoAnswer);
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
    return Find(UpdateVerdict::NoAnswer, UpdateFinding::Kind::NotAReply);
}

UpdateVerdict UpdateQuery::Find(UpdateVerdict verdict, UpdateFinding::Kind kind, const String& release,
                                const String& released) {
    finding_.kind = kind;
    finding_.release = release;
    finding_.released = released;
    finding_.newest =
        signedVersion_.GetLength() > 0 && !IsOlder(signedVersion_, newestSeen_) ? signedVersion_ : newestSeen_;
    return verdict;
}

UpdateVerdict UpdateQuery::Judge() {
    using Kind = UpdateFinding::Kind;
    if (key_.IsEmpty()) return Find(UpdateVerdict::Unsigned, Kind::Keyless);
    const String& offered = info_.GetVersion();
    bool message = info_.GetMessageText().GetLength() > 0;
    LatestStatement latest(name_, info_.GetLatestVersion(), info_.GetLatestExpires());
    if (!latest.IsSignedBy(SignatureVerifier(key_), info_.GetLatestArchitectureSignature())) {
        // A newer release that would have been offered is named (the version text
        // alone is shown), so that the user knows what was not installed.
        if (!message && Version::IsVersionText(offered.GetText()) && IsOlder(runningVersion_, offered)) {
            return Find(UpdateVerdict::Unsigned, Kind::UnsignedOffer, offered);
        }
        return Find(UpdateVerdict::Unsigned, Kind::Unsigned);
    }
    signedVersion_ = latest.GetVersion();
    if (newestSeen_.GetLength() > 0 && IsOlder(signedVersion_, newestSeen_)) {
        return Find(UpdateVerdict::OutOfDate, Kind::Replayed, signedVersion_, newestSeen_);
    }
    if (latest.GetExpiry() <= now_) return Find(UpdateVerdict::OutOfDate, Kind::Expired);
    finding_.expiry = latest.GetExpiry();
    // A message offers nothing, but never hides a signed newer release: beside one,
    // the offer is judged as if there were no message.
    if (message && !IsOlder(runningVersion_, signedVersion_)) return Find(UpdateVerdict::UpToDate, Kind::UpToDate);
    if (message && offered.GetLength() == 0) return Find(UpdateVerdict::OutOfDate, Kind::NothingOffered);
    // The version text is shown and goes into file checks: it must be nothing else.
    if (!Version::IsVersionText(offered.GetText())) return Find(UpdateVerdict::NoAnswer, Kind::NotAReply);
    if (IsOlder(offered, signedVersion_) || IsOlder(signedVersion_, offered)) {
        return Find(UpdateVerdict::OutOfDate, Kind::OtherRelease, offered, signedVersion_);
    }
    if (IsOlder(runningVersion_, offered)) return Find(UpdateVerdict::Offer, Kind::Offer, offered);
    return Find(UpdateVerdict::UpToDate, Kind::UpToDate);
}

}  // namespace version
}  // namespace util
