// Tests of UpdateQuery's decision and its finding: replies as bytes in, an offer or nothing out.
#include "common/util/version/UpdateQuery.h"

#include "common/util/DateText.h"
#include "languages/Language.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using util::version::UpdateAsker;
using util::version::UpdateFinding;
using util::version::UpdatePublicKey;
using util::version::UpdateQuery;
using util::version::UpdateVerdict;
using Kind = util::version::UpdateFinding::Kind;

namespace {

// The latest statements signed when the tree was configured (CMakeLists.txt) name 1.0.3
// or 1.0.4 and expire at this time; they name the architecture the checks take, unless
// told (ENNEO_LATEST_OTHER_ARCH_1_0_4, ENNEO_LATEST_OLD_FORM_1_0_4).
const int64_t kExpiry = 2000000000;
const std::string kExpires = "<latestExpires>2000000000</latestExpires>";

std::string Narrow(const wchar_t* text) { return std::string(text, text + std::wcslen(text)); }
std::wstring Text(const String& text) { return text.GetLength() > 0 ? text.GetText() : L""; }

// A reply offering version, with a latest statement naming latest and signed as
// signature (one of the configured ones, or anything) in "latestArchitectureSignature".
std::string Reply(const std::string& version, const std::string& latest, const wchar_t* signature,
                  const std::string& message = "") {
    return "<?xml version='1.0'?><update><message>" + message + "</message><version>" + version +
           "</version><downloadUrl>http://h/Enneo.upd</downloadUrl><updaterUrl>http://h/updater.exe</updaterUrl>"
           "<latestVersion>" +
           latest + "</latestVersion>" + kExpires + "<latestArchitectureSignature>" + Narrow(signature) +
           "</latestArchitectureSignature></update>";
}

class UpdateQueryTest : public ::testing::Test {
protected:
    UpdateQueryTest() { key_.Read(ENNEO_TEST_KEY); }

    // The verdict of Enneo running (1.0.2) at now, having seen newestSeen signed.
    UpdateVerdict Decide(const std::string& reply, int64_t now = kExpiry - 1, const wchar_t* newestSeen = L"",
                         const wchar_t* name = L"Enneo", const wchar_t* running = L"1.0.2") {
        query_ = std::make_unique<UpdateQuery>(UpdateAsker{name, running, newestSeen, now}, key_);
        return query_->Decide(reply);
    }
    const UpdateFinding& Found() const { return query_->GetFinding(); }
    // The finding's kind and its texts: release, released and the newest seen.
    void ExpectFound(Kind kind, const wchar_t* release, const wchar_t* released, const wchar_t* newest) const {
        EXPECT_EQ(kind, Found().kind);
        EXPECT_EQ(std::wstring(release), Text(Found().release));
        EXPECT_EQ(std::wstring(released), Text(Found().released));
        EXPECT_EQ(std::wstring(newest), Text(Found().newest));
    }

    UpdatePublicKey key_;
    std::unique_ptr<UpdateQuery> query_;
};

TEST_F(UpdateQueryTest, AValidUnexpiredStatementOfTheReleaseOffersIt) {
    EXPECT_EQ(UpdateVerdict::Offer, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3)));
    EXPECT_STREQ(L"1.0.3", query_->GetInfo().GetVersion().GetText());
    EXPECT_STREQ(L"1.0.3", query_->GetSignedVersion().GetText());
    ExpectFound(Kind::Offer, L"1.0.3", L"", L"1.0.3");
    // Seen before, it is still offered.
    EXPECT_EQ(UpdateVerdict::Offer, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), kExpiry - 1, L"1.0.3"));
    // The running release itself is up to date until the statement expires.
    EXPECT_EQ(UpdateVerdict::UpToDate,
              Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), kExpiry - 1, L"", L"Enneo", L"1.0.3"));
    ExpectFound(Kind::UpToDate, L"", L"", L"1.0.3");
    EXPECT_EQ(kExpiry, Found().expiry);
    EXPECT_EQ(L"1.0.3", Text(Found().running));
}

// A message beside a valid statement of a newer release hides nothing: the offer is
// judged as without it. Only when nothing newer is signed does it offer nothing.
TEST_F(UpdateQueryTest, AMessageNeverHidesASignedNewerRelease) {
    EXPECT_EQ(UpdateVerdict::Offer, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3, "closed")));
    ExpectFound(Kind::Offer, L"1.0.3", L"", L"1.0.3");
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(Reply("1.0.3", "1.0.4", ENNEO_LATEST_1_0_4, "closed")));
    ExpectFound(Kind::OtherRelease, L"1.0.3", L"1.0.4", L"1.0.4");
    std::string bare = "<update><message>closed</message><latestVersion>1.0.3</latestVersion>" + kExpires +
                       "<latestArchitectureSignature>" + Narrow(ENNEO_LATEST_1_0_3) +
                       "</latestArchitectureSignature></update>";
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(bare));
    ExpectFound(Kind::NothingOffered, L"", L"", L"1.0.3");

    for (const std::string& reply : {bare, Reply("1.0.4", "1.0.3", ENNEO_LATEST_1_0_3, "closed")}) {
        EXPECT_EQ(UpdateVerdict::UpToDate, Decide(reply, kExpiry - 1, L"", L"Enneo", L"1.0.3")) << reply;
        ExpectFound(Kind::UpToDate, L"", L"", L"1.0.3");
        EXPECT_EQ(kExpiry, Found().expiry);
    }
}

// An expired statement, one older than the newest seen (a replay of the signed past),
// and a reply offering another release than its statement names are out of date; the
// version a valid signature named is seen all the same.
TEST_F(UpdateQueryTest, AStaleAnswerOffersNothingAndSaysWhy) {
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), kExpiry));
    ExpectFound(Kind::Expired, L"", L"", L"1.0.3");
    EXPECT_STREQ(L"1.0.3", query_->GetSignedVersion().GetText());
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), 0, L"1.0.4"));
    ExpectFound(Kind::Replayed, L"1.0.3", L"1.0.4", L"1.0.4");
    EXPECT_EQ(UpdateVerdict::OutOfDate, Decide(Reply("1.0.3", "1.0.4", ENNEO_LATEST_1_0_4)));
    ExpectFound(Kind::OtherRelease, L"1.0.3", L"1.0.4", L"1.0.4");
    EXPECT_STREQ(L"1.0.4", query_->GetSignedVersion().GetText());
}

// No statement, one whose signature is another's, one for another program, or no key
// to check with: nothing is offered, and nothing is seen; a newer release offered so
// is named.
TEST_F(UpdateQueryTest, AnAnswerWithoutAValidStatementIsUnsigned) {
    std::string bare =
        "<update><message/><version>1.0.3</version><downloadUrl>d</downloadUrl>"
        "<updaterUrl>u</updaterUrl></update>";
    for (const std::string& reply : {bare, Reply("1.0.3", "1.0.4", ENNEO_LATEST_1_0_3),
                                     Reply("1.0.3", "1.0.3", L"not base64"), Reply("1.0.3", "1.0.3", L"")}) {
        EXPECT_EQ(UpdateVerdict::Unsigned, Decide(reply, kExpiry - 1, L"1.0.1")) << reply;
        ExpectFound(Kind::UnsignedOffer, L"1.0.3", L"", L"1.0.1");
        EXPECT_TRUE(query_->GetSignedVersion().IsEmpty());
    }
    EXPECT_EQ(UpdateVerdict::Unsigned, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3), 0, L"", L"Other"));
    ExpectFound(Kind::UnsignedOffer, L"1.0.3", L"", L"");
    // Nothing newer, or a message, offers nothing to name.
    for (const std::string& reply : {Reply("1.0.2", "1.0.2", L""), Reply("1.0.3", "1.0.3", L"", "closed")}) {
        EXPECT_EQ(UpdateVerdict::Unsigned, Decide(reply)) << reply;
        ExpectFound(Kind::Unsigned, L"", L"", L"");
    }
    key_.Read(nullptr);
    EXPECT_EQ(UpdateVerdict::Unsigned, Decide(Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3)));
    ExpectFound(Kind::Keyless, L"", L"", L"");
}

// A release is stated per architecture: the other one's newer release, even beside a
// valid signature of the older form that names none (which the service carries for
// programs installed before), offers nothing and raises nothing seen; nor does the older
// form alone, in either element.
TEST_F(UpdateQueryTest, OnlyAStatementOfTheOwnArchitectureCounts) {
    std::string oldForm = "<latestSignature>" + Narrow(ENNEO_LATEST_OLD_FORM_1_0_4) + "</latestSignature></update>";
    std::string otherArch = Reply("1.0.4", "1.0.4", ENNEO_LATEST_OTHER_ARCH_1_0_4);
    std::string oldFormOnly = Reply("1.0.4", "1.0.4", L"");
    for (std::string* reply : {&otherArch, &oldFormOnly}) reply->replace(reply->size() - 9, 9, oldForm);
    for (const std::string& reply : {otherArch, oldFormOnly, Reply("1.0.4", "1.0.4", ENNEO_LATEST_OLD_FORM_1_0_4)}) {
        EXPECT_EQ(UpdateVerdict::Unsigned, Decide(reply, kExpiry - 1, L"1.0.3")) << reply;
        ExpectFound(Kind::UnsignedOffer, L"1.0.4", L"", L"1.0.3");
        EXPECT_TRUE(query_->GetSignedVersion().IsEmpty());
    }
    // The own architecture's statement beside the older form's is judged alone.
    std::string both = Reply("1.0.4", "1.0.4", ENNEO_LATEST_1_0_4);
    both.replace(both.size() - 9, 9, oldForm);
    EXPECT_EQ(UpdateVerdict::Offer, Decide(both, kExpiry - 1, L"1.0.3"));
    ExpectFound(Kind::Offer, L"1.0.4", L"", L"1.0.4");
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
        EXPECT_EQ(Kind::NotAReply, Found().kind);
    }
    std::string expiry = Reply("1.0.3", "1.0.3", ENNEO_LATEST_1_0_3);
    expiry.replace(expiry.find(kExpires), kExpires.size(), "<latestExpires>2000000000 </latestExpires>");
    EXPECT_EQ(UpdateVerdict::Unsigned, Decide(expiry));
}

// A request that fails says why in the client's words, fit for a box: an address it
// refuses (here one holding control characters, and long) is shown cut short and
// without them.
TEST_F(UpdateQueryTest, NoAnswerSaysWhyTheRequestFailed) {
    UpdateQuery query(UpdateAsker{L"Enneo", L"1.0.2", L"1.0.4", 0}, key_);
    std::wstring url = L"http://127.0.0.1:9/a\r\nb\x01" + std::wstring(300, L'c');
    EXPECT_EQ(UpdateVerdict::NoAnswer, query.Ask(url.c_str()));
    const UpdateFinding& found = query.GetFinding();
    EXPECT_EQ(Kind::NoAnswer, found.kind);
    std::wstring why = Text(found.why);
    EXPECT_EQ(0u, why.find(L"the address http://127.0.0.1:9/a  b ccc")) << why;
    EXPECT_EQ(203u, why.size());
    EXPECT_EQ(L"...", why.substr(200));
    EXPECT_EQ(L"1.0.4", Text(found.newest));
}

// Every finding's sentence, with the statement's expiry as a date and, while nothing
// is offered, the newer release seen signed as a paragraph of its own.
TEST(UpdateFindingTest, EachFindingHasItsSentence) {
    UpdateFinding found;
    found.name.Set(L"Enneo");
    found.running.Set(L"1.0.3");
    auto sentence = [&](Kind kind) {
        found.kind = kind;
        return Text(found.GetSentence());
    };
    found.expiry = 1797984000 + 86399;
    EXPECT_EQ(L"Enneo 1.0.3 is up to date (the service's statement is valid until 23 December 2026).",
              sentence(Kind::UpToDate));
    for (auto [expiry, date] : {std::pair<int64_t, const wchar_t*>{0, L"1 January 1970"},
                                {1709164800, L"29 February 2024"},
                                {951868800 - 1, L"29 February 2000"},
                                {253402300799, L"31 December 9999"}}) {
        found.expiry = expiry;
        EXPECT_NE(std::wstring::npos, sentence(Kind::UpToDate).find(L" until " + std::wstring(date) + L")")) << date;
    }
    found.why.Set(L"no connection to 127.0.0.1:9");
    EXPECT_EQ(L"The update service did not answer (no connection to 127.0.0.1:9).", sentence(Kind::NoAnswer));
    EXPECT_EQ(L"The update service did not answer (its answer is not an update reply).", sentence(Kind::NotAReply));
    found.release.Set(L"1.0.2");
    found.released.Set(L"1.0.3");
    EXPECT_EQ(L"The update service's answer is out of date: it names Enneo 1.0.2, but Enneo 1.0.3 has been released.",
              sentence(Kind::Replayed));
    found.newest.Set(L"1.0.4");
    found.release.Set(L"1.0.4");
    EXPECT_EQ(
        L"Enneo 1.0.4 has been released, but the service offered it without a valid statement; it was not "
        L"installed.\n\nEnneo 1.0.4 has been released; this check could not offer it.",
        sentence(Kind::UnsignedOffer));
    EXPECT_EQ(L"The update service offered no update.\n\nEnneo 1.0.4 has been released; this check could not offer it.",
              sentence(Kind::NothingOffered));
    EXPECT_EQ(L"", sentence(Kind::Offer));
}

// In another language every finding is told in it, with the values in their places, and
// the statement's expiry as that language's locale names the day (DateText); English
// comes back afterwards.
TEST(UpdateFindingTest, TheSentencesFollowTheLanguageChosen) {
    UpdateFinding found;
    found.name.Set(L"Enneo");
    found.running.Set(L"1.0.3");
    found.release.Set(L"1.0.2");
    found.released.Set(L"1.0.4");
    found.expiry = 1797984000 + 86399;
    std::wstring english[2];
    for (Kind kind : {Kind::UpToDate, Kind::Replayed}) {
        found.kind = kind;
        english[kind == Kind::Replayed] = Text(found.GetSentence());
    }
    const int other = Language::Find(L"de");
    ASSERT_GE(other, 0);
    Language::Choose(other);
    found.kind = Kind::UpToDate;
    std::wstring upToDate = Text(found.GetSentence());
    found.kind = Kind::Replayed;
    std::wstring replayed = Text(found.GetSentence());
    Language::Choose(Language::kEnglish);

    EXPECT_NE(english[0], upToDate);
    EXPECT_NE(english[1], replayed);
    const std::wstring date = Text(util::DateText(found.expiry).InLocale(Language::Code(other)));
    EXPECT_NE(std::wstring::npos, upToDate.find(date)) << upToDate;
    EXPECT_EQ(std::wstring::npos, upToDate.find(L"23 December 2026")) << upToDate;
#ifndef _WIN32
    EXPECT_EQ(L"2026-12-23", date);
#endif
    for (const wchar_t* words : {L"Die Antwort des Updatedienstes", L"Enneo 1.0.2", L"Enneo 1.0.4"}) {
        EXPECT_NE(std::wstring::npos, replayed.find(words)) << replayed;
    }
    EXPECT_EQ(english[1], Text(found.GetSentence()));
}

}  // namespace
