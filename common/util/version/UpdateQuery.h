// UpdateQuery: asks the update service and decides what its reply offers.
#pragma once

#include "UpdateFinding.h"
#include "UpdateInfo.h"
#include "UpdatePublicKey.h"

#include "common/Object.h"
#include "common/String.h"
#include "common/net/http/ProxyServer.h"
#include "common/xml/rapidxml/RapidXMLDocument.h"

#include <cstdint>
#include <string>

namespace util {
namespace version {

// What a reply of the update service comes to.
enum class UpdateVerdict {
    Offer,      // a newer release, the one a valid, unexpired latest statement names
    UpToDate,   // a valid, unexpired latest statement, and nothing newer to offer
    OutOfDate,  // the latest statement has expired, or names a release older than one
                // seen before, or the reply offers another release than it names
    Unsigned,   // no latest statement the publisher's key verifies (or no key)
    NoAnswer,   // no reply, or none that reads as one
};

// What the query knows of the program that asks.
struct UpdateAsker {
    const wchar_t* name;            // its identifier, which its releases' statements name
    const wchar_t* runningVersion;  // its own version
    const wchar_t* newestSeen;      // the newest version seen signed, empty for none
    int64_t now;                    // the time, in seconds since 1970 UTC
};

// One question to the service and the decision on its reply, both without a window, so
// that any reply can be tried as bytes: the reply is at most 64 KiB, within four seconds
// in all, name resolution included. Nothing is offered unless a latest statement
// (LatestStatement) for the program and its architecture, signed with the publisher's
// key and not expired, names the release offered, no older than the newest seen, and
// that release is newer than the running one. A message in the reply offers nothing, unless that statement
// names a release newer than the running one: then the offer is judged as if there were
// no message, so that a service cannot hide a signed newer release behind one. Nothing
// of the reply but a plain dotted version ever reaches a box, and of a failed request
// only the client's phrase for it, cut short and without control characters. The
// decision is made once per object.
class UpdateQuery final : public Object {
public:
    // The texts are copied; key is the publisher's, empty when the build has none.
    UpdateQuery(const UpdateAsker& asker, const UpdatePublicKey& key);

    // Fetches "<serviceUrl>?name=<name>", through the proxy that proxy chooses (none:
    // straight to the service), and decides on the reply (NoAnswer when none comes,
    // also when the HTTP client cannot be made).
    UpdateVerdict Ask(const wchar_t* serviceUrl, const net::http::ProxyChooser& proxy = {});
    // Decides on the reply's bytes.
    UpdateVerdict Decide(const std::string& reply);

    // The reply's texts; the release to offer after Offer.
    const UpdateInfo& GetInfo() const { return info_; }
    // The version that a latest statement with a valid signature named, expired or not;
    // empty when there was none.
    const String& GetSignedVersion() const { return signedVersion_; }
    // What the check found, with its values, after Ask or Decide; its sentence is the
    // text of the box that a check from the menu shows.
    const UpdateFinding& GetFinding() const { return finding_; }

private:
    // The verdict for a reply whose texts are read: the latest statement, then the offer.
    UpdateVerdict Judge();
    // Records the finding kind with release and released (see UpdateFinding) and
    // returns verdict.
    UpdateVerdict Find(UpdateVerdict verdict, UpdateFinding::Kind kind, const String& release = String(),
                       const String& released = String());

    String name_;
    String runningVersion_;
    String newestSeen_;
    int64_t now_;
    const UpdatePublicKey& key_;
    xml::rapidxml::RapidXMLDocument document_;
    UpdateInfo info_;
    String signedVersion_;
    UpdateFinding finding_;
};

}  // namespace version
}  // namespace util
