// Tests of UpdateQuery's decision: replies as bytes in, an offer or nothing out.
#include "common/util/version/UpdateQuery.h"

#include <gtest/gtest.h>

#include <string>

using util::version::UpdateAsker;
using util::version::UpdatePublicKey;
using util::version::UpdateQuery;
using util::version::UpdateVerdict;

namespace {

// The latest statements signed when the tree was configured (CMakeLists.txt) name 1.0.3
// or 1.0.4 and expire at this time.
const int64_t kExpiry = 2000000000;
const std::string kExpires = "<latestExpires>2000000000</latestExpires>";

std::string Narrow(const wchar_t* text) { return std::string(text, text + std::wcslen(text)); }

// A reply offering version, with a latest statement naming latest and signed as
// signature (one of the configured ones, or anything).
std::string Reply(const std::string& version, const std::string& latest, const wchar_t* signature,
                  const std::string& message = "") {
    return "<?xml version='1.0'?><update><message>" + message + "</message><version>" + version +
           "</version><downloadUrl>http://h/Enneo.upd</downloadUrl><updaterUrl>http://h/updater.exe</updaterUrl>"
           "<latestVersion>" +
           latest + "</latestVersion>" + kExpires + "<latestSignature>" + Narrow(signature) +
           "</latestSignature></update>";
}

class UpdateQueryTest : public ::testing::Test {
protected:
    UpdateQueryTest() { key_.Read(ENNEO_TEST_KEY); }

    // The verdict of Enneo 1.0.2 at now, having seen newestSeen signed.
    UpdateVerdict Decide(const std::string& reply, int64_t now = kExpiry - 1, const wchar_t* newestSeen = L"",
                         const wchar_t* name = L"Enneo") {
        query_ = std::make_unique<UpdateQuery>(UpdateAsker{name, L"1.0.2", newestSeen, now}, key_);
        return query_->Decide(reply);
    }
    std::wstring Reason() const { return query_->GetReason().GetText(); }

    UpdatePublicKey key_;
    std::unique_ptr<UpdateQuery> query_;
};

TEST_F(UpdateQueryTest, AValidUnexpiredStatementOfTheReleaseOffersIt) {
    EXPECT_EQ(UpdateVerdict::Offer, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3)));
    EXPECT_STREQ(L"1.0.3", query_->GetInfo().GetVersion().GetText());
    EXPECT_STREQ(L"1.0.3", query_->GetSignedVersion().GetText());
    // Seen before, it is still offered; with a message, nothing is.
    EXPECT_EQ(UpdateVerdict::Offer, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), kExpiry - 1, L"1.0.3"));
    EXPECT_EQ(UpdateVerdict::UpToDate, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3, "closed")));
}

// An expired statement, one older than the newest seen (a replay of the signed past),
// and a reply offering another release than its statement names are out of date; the
// version a valid signature named is seen all the same.
TEST_F(UpdateQueryTest, AStaleAnswerOffersNothingAndSaysWhy) {
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), kExpiry));
    EXPECT_EQ(L"The update service's answer is out of date, so it cannot tell whether a newer Enneo exists.", Reason());
    EXPECT_STREQ(L"1.0.3", query_->GetSignedVersion().GetText());
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), 0, L"1.0.4"));
    EXPECT_EQ(L"The update service's answer is out of date: it names Enneo 1.0.3, but Enneo 1.0.4 has been released.",
              Reason());
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(Reply("1.0.3", "1.0.4", ENNEO_LATEST_1_0_4)));
    EXPECT_EQ(L"The update service's answer is out of date: it offers Enneo 1.0.3, but Enneo 1.0.4 has been released.",
              Reason());
    EXPECT_STREQ(L"1.0.4", query_->GetSignedVersion().GetText());
}

// No statement, one whose signature is another's, one for another program, or no key
// to check with: nothing is offered, and nothing is seen.
TEST_F(UpdateQueryTest, AnAnswerWithoutAValidStatementIsUnsigned) {
    const std::wstring unsigned_ =
        L"The update service's answer is not signed by the publisher of Enneo, so it offers no update.";
    std::string bare =
        "<update><message/><version>1.0.3</version><downloadUrl>d</downloadUrl>"
        "<updaterUrl>u</updaterUrl></update>";
    for (const std::string& reply : {bare, Reply("1.0.3", "1.0.4", ENNEO_LATEST_1_0_3),
                                     Reply("1.0.3", "1.0.3", L"not base64"), Reply("1.0.3", "1.0.3", L"")}) {
        EXPECT_EQ(UpdateVerdict::Unsigned, Decide(reply)) << reply;
        EXPECT_EQ(unsigned_, Reason());
        EXPECT_TRUE(query_->GetSignedVersion().IsEmpty());
    }
    EXPECT_EQ(UpdateVerdict::Unsigned, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), 0, L"", L"Other"));
    key_.Read(nullptr);
    EXPECT_EQ(UpdateVerdict::Unsigned, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3)));
    EXPECT_EQ(L"This copy of Enneo has no publisher key to check updates with, so it installs none.", Reason());
}

// Whatever the bytes, the decision ends quietly: no reply, not XML, too deep, a missing
// element, a version that is more than a version, a statement whose values could not
// stand in one.
TEST_F(UpdateQueryTest, HostileRepliesComeToNoAnswer) {
    std::string deep;
    for (int i = 0; i < 9000; ++i) deep += "<a>";
    for (const std::string& reply : {std::string(), std::string("\x00<update/>", 10), std::string("HTTP/1.1 200 OK"),
                                     deep, std::string("<update><message/><version>1.0.3</version></update>"),
                                     Reply("1.0.3 - call http://x/", "1.0.3", ENNEO_LATEST_1_0_3)}) {
        EXPECT_EQ(UpdateVerdict::NoAnswer, Decide(reply)) << reply.substr(0, 60);
    }
    std::string expiry = Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3);
    expiry.replace(expiry.find(kExpires), kExpires.size(), "<latestExpires>2000000000 </latestExpires>");
    EXPECT_EQ(UpdateVerdict::Unsigned, Decide(expiry));
}

}  // namespace
