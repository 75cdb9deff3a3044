// Tests of Version and UpdateInfo: version texts and the update service's reply.
#include "common/util/version/SignatureVerifier.h"
#include "common/util/version/UpdateInfo.h"
#include "common/util/version/Version.h"
#include "common/xml/rapidxml/RapidXMLDocument.h"

#include "tests/common/RaisedBy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using util::version::SignatureVerifier;
using util::version::UpdateInfo;
using util::version::Version;

namespace {

std::vector<int> ComponentsOf(const wchar_t* text) {
    Version version(text);
    std::vector<int> components;
    for (int i = 0; i < Version::kComponents; ++i) components.push_back(version.GetComponent(i));
    return components;
}

TEST(VersionTest, ReadsTheLeadingNumberOfEachPiece) {
    using V = std::vector<int>;
    EXPECT_EQ((V{1, 4, 0, 12, 0, 0, 0, 0, 0, 0}), ComponentsOf(L"1.4.0.12"));
    EXPECT_EQ((V{2, 0, 0, 0, 0, 0, 0, 0, 0, 0}), ComponentsOf(L"2"));
    EXPECT_EQ(V(10, 0), ComponentsOf(L""));
    EXPECT_EQ(V(10, 0), ComponentsOf(nullptr));
    EXPECT_EQ((V{1, 0, 3, 0, 0, 0, 0, 0, 0, 0}), ComponentsOf(L"1..3"));
    EXPECT_EQ((V{1, 2, 0, 0, 0, 0, 0, 0, 0, 0}), ComponentsOf(L"1.2."));
    EXPECT_EQ((V{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), ComponentsOf(L"1.0 beta"));
    EXPECT_EQ((V{2, 0, 5, 0, 0, 0, 0, 0, 0, 0}), ComponentsOf(L"2.x.5"));
    EXPECT_EQ((V{3, -1, 7, 0, 0, 0, 0, 0, 0, 0}), ComponentsOf(L" 3.-1.+7"));
    EXPECT_EQ((V{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), ComponentsOf(L"1.2.3.4.5.6.7.8.9.10.11"));
    EXPECT_EQ(2147483647, Version(L"99999999999").GetComponent(0));
}

TEST(VersionTest, TheFirstDifferingComponentDecides) {
    EXPECT_TRUE(Version(L"1.0.3").IsNewerThan(Version(L"1.0.2")));
    EXPECT_TRUE(Version(L"1.1").IsNewerThan(Version(L"1.0.9")));
    EXPECT_TRUE(Version(L"1.0.0.0.0.0.0.0.0.1").IsNewerThan(Version(L"1")));
    EXPECT_FALSE(Version(L"1.0.2").IsNewerThan(Version(L"1.0.2")));
    EXPECT_FALSE(Version(L"1.4").IsNewerThan(Version(L"1.4.0.0")));
    EXPECT_FALSE(Version(L"1.0.1").IsNewerThan(Version(L"1.0.2")));
    // A larger earlier component ends the comparison: 1.5 is not newer than 2.0.
    EXPECT_FALSE(Version(L"1.5").IsNewerThan(Version(L"2.0")));
    EXPECT_FALSE(Version(L"").IsNewerThan(Version(L"1.0.2")));  // a reply with a message
}

TEST(VersionTest, OnlyDottedNumbersAreAVersionText) {
    for (const wchar_t* text : {L"1.0.3", L"2", L"0.0", L"123456789.1.2.3.4.5.6.7.8.9"}) {
        EXPECT_TRUE(Version::IsVersionText(text)) << text;
    }
    for (const wchar_t* text : {L"", L"1..3", L"1.2.", L".1", L" 1.0", L"1.0 beta", L"+1", L"1.0.3\nvisit",
                                L"1234567890", L"1.2.3.4.5.6.7.8.9.10.11"}) {
        EXPECT_FALSE(Version::IsVersionText(text)) << text;
    }
    EXPECT_FALSE(Version::IsVersionText(nullptr));
}

class UpdateInfoTest : public ::testing::Test {
protected:
    // Parses the reply and reads it; the message of what it raised, if anything.
    std::wstring Read(const wchar_t* reply) {
        text_.assign(reply);
        document_.Parse(text_.data());
        return RaisedBy([&] { info_.ReadReply(); });
    }

    std::wstring text_;
    xml::rapidxml::RapidXMLDocument document_;
    UpdateInfo info_{&document_};
};

TEST_F(UpdateInfoTest, AReplyWithAReleaseFillsAllThreeTexts) {
    EXPECT_EQ(L"<nothing raised>", Read(L"<?xml version='1.0'?><update><message/><version>1.0.3</version>"
                                        L"<downloadUrl>http://h/Enneo.exe</downloadUrl>"
                                        L"<updaterUrl>http://h/updater.exe</updaterUrl><other a='1'/></update>"));
    EXPECT_EQ(0, info_.GetMessageText().GetLength());
    EXPECT_STREQ(L"1.0.3", info_.GetVersion().GetText());
    EXPECT_STREQ(L"http://h/Enneo.exe", info_.GetDownloadUrl());
    EXPECT_STREQ(L"http://h/updater.exe", info_.GetUpdaterUrl());
    EXPECT_TRUE(info_.GetUpdaterSignature().IsEmpty());
    EXPECT_TRUE(info_.GetDownloadSignature().IsEmpty());
}

// The base64 of the bytes 0 to 63, and of one byte fewer and more.
const wchar_t kSignature64[] =
    L"AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+Pw==";
const wchar_t kSignature63[] = L"AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+";
const wchar_t kSignature65[] =
    L"AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+P0A=";

TEST_F(UpdateInfoTest, SignaturesAreReadAfterTheRequiredElementsAndDecodeToSixtyFourBytes) {
    std::wstring signature = L"<updaterSignature>" + std::wstring(kSignature64) + L"</updaterSignature>";
    EXPECT_NE(L"<nothing raised>", Read((L"<r><version>1</version>" + signature + L"</r>").c_str()));
    EXPECT_TRUE(info_.GetUpdaterSignature().IsEmpty());

    std::wstring reply = L"<r><version>1.0.3</version><downloadUrl>d</downloadUrl><updaterUrl>u</updaterUrl>" +
                         signature +
                         L"<downloadSignature>\n  AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIj\n"
                         L"  JCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+Pw==\n</downloadSignature></r>";
    EXPECT_EQ(L"<nothing raised>", Read(reply.c_str()));
    EXPECT_STREQ(kSignature64, info_.GetUpdaterSignature().GetText());
    for (const String* text : {&info_.GetUpdaterSignature(), &info_.GetDownloadSignature()}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(SignatureVerifier::Decode(*text, bytes));
        ASSERT_EQ(64u, bytes.size());
        EXPECT_EQ(0, bytes[0]);
        EXPECT_EQ(63, bytes[63]);
    }
}

TEST(UpdateSignatureTest, OnlyBase64OfExactlySixtyFourBytesDecodes) {
    std::vector<uint8_t> signature(5, 1);
    for (const wchar_t* bad : {kSignature63, kSignature65, L"", L"AAEC*wQF", L"AAEC"}) {
        EXPECT_FALSE(SignatureVerifier::Decode(String(bad), signature)) << bad;
        EXPECT_TRUE(signature.empty()) << bad;
    }
    EXPECT_FALSE(SignatureVerifier::Decode(String(), signature));
}

// The latest statement comes with a message too; beside one, the release may be left
// out, but one that is there is read whole.
TEST_F(UpdateInfoTest, AMessageMayComeWithoutARelease) {
    EXPECT_EQ(L"<nothing raised>", Read(L"<r><message>Down for maintenance</message>"
                                        L"<latestVersion>1.0.3</latestVersion><latestExpires>7</latestExpires></r>"));
    EXPECT_STREQ(L"Down for maintenance", info_.GetMessageText().GetText());
    EXPECT_STREQ(L"1.0.3", info_.GetLatestVersion().GetText());
    EXPECT_STREQ(L"7", info_.GetLatestExpires().GetText());
    EXPECT_TRUE(info_.GetLatestArchitectureSignature().IsEmpty());
    EXPECT_TRUE(info_.GetVersion().IsEmpty());
    EXPECT_EQ(nullptr, info_.GetDownloadUrl());
    EXPECT_EQ(nullptr, info_.GetUpdaterUrl());
    EXPECT_EQ(L"UpdateInfo::GetFirstElementContentByTagName() : No tag <downloadUrl> found",
              Read(L"<r><message>Down</message><version>9.9</version></r>"));
    EXPECT_EQ(L"<nothing raised>", Read(L"<r><message>Down</message><version>9.9</version>"
                                        L"<downloadUrl>d</downloadUrl><updaterUrl>u</updaterUrl></r>"));
    EXPECT_STREQ(L"9.9", info_.GetVersion().GetText());
    EXPECT_STREQ(L"u", info_.GetUpdaterUrl());
}

TEST_F(UpdateInfoTest, TheFirstMissingRequiredElementRaises) {
    EXPECT_EQ(L"UpdateInfo::GetFirstElementContentByTagName() : No tag <updaterUrl> found",
              Read(L"<r><version>1.0.3</version><downloadUrl>http://h/n</downloadUrl></r>"));
    EXPECT_EQ(L"UpdateInfo::GetFirstElementContentByTagName() : No tag <version> found",
              Read(L"<r><Version>1.0.3</Version></r>"));
    EXPECT_EQ(nullptr, info_.GetFirstElementContentByTagName(L"message", false));
}

TEST_F(UpdateInfoTest, TheFirstElementInDocumentOrderWins) {
    EXPECT_EQ(L"<nothing raised>", Read(L"<r><a><b><version>2.0</version></b></a><version>3.0</version>"
                                        L"<downloadUrl>d</downloadUrl><updaterUrl>u</updaterUrl></r>"));
    EXPECT_STREQ(L"2.0", info_.GetVersion().GetText());
}

}  // namespace
