// Tests of UpdateStatement: the exact text the publisher signs, and values it refuses.
#include "common/util/version/UpdateStatement.h"

#include <gtest/gtest.h>

#include <string>

using util::version::UpdateRole;
using util::version::UpdateStatement;

namespace {

// 07 0f 17 ... ff: each byte has two different hex digits, so the order and the case show.
struct CountingDigest {
    CountingDigest() {
        for (int i = 0; i < UpdateStatement::kDigestSize; ++i) bytes[i] = static_cast<uint8_t>(i * 8 + 7);
    }
    uint8_t bytes[UpdateStatement::kDigestSize];
};

TEST(UpdateStatementTest, TheTextIsSixLinesInAFixedForm) {
    CountingDigest digest;
    EXPECT_EQ(
        "Enneo Tessary update statement\nname=Enneo\nrole=program\narchitecture=win32\nversion=1.0.3\n"
        "sha256=070f171f272f373f474f575f676f777f878f979fa7afb7bfc7cfd7dfe7eff7ff\n",
        UpdateStatement(L"Enneo", UpdateRole::Program, L"win32", L"1.0.3").GetText(digest.bytes));
    EXPECT_EQ(
        "Enneo Tessary update statement\nname=Enneo\nrole=updater\narchitecture=win64\nversion=2.0.0-rc_1\n"
        "sha256=070f171f272f373f474f575f676f777f878f979fa7afb7bfc7cfd7dfe7eff7ff\n",
        UpdateStatement(L"Enneo", UpdateRole::Updater, L"win64", L"2.0.0-rc_1").GetText(digest.bytes));
}

// A value that could change the statement's lines, or is empty or too long, gives no
// text, so nothing verifies.
TEST(UpdateStatementTest, ValuesOutsideTheAlphabetGiveNoStatement) {
    CountingDigest digest;
    for (const wchar_t* version : {L"", L"1.0.3\nrole=updater", L"1.0.3 ", L"1=2", L"1.0.\u00e9", L"1/2"}) {
        EXPECT_EQ("", UpdateStatement(L"Enneo", UpdateRole::Program, L"win32", version).GetText(digest.bytes));
    }
    EXPECT_EQ("", UpdateStatement(nullptr, UpdateRole::Program, L"win32", L"1.0.3").GetText(digest.bytes));
    EXPECT_EQ("", UpdateStatement(L"Enneo Tessary", UpdateRole::Program, L"win32", L"1").GetText(digest.bytes));
    std::wstring longest(64, L'9'), tooLong(65, L'9');
    EXPECT_NE("", UpdateStatement(L"Enneo", UpdateRole::Program, L"win32", longest.c_str()).GetText(digest.bytes));
    EXPECT_EQ("", UpdateStatement(L"Enneo", UpdateRole::Program, L"win32", tooLong.c_str()).GetText(digest.bytes));
}

}  // namespace
