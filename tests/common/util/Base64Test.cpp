// Tests of DecodeBase64: the standard vectors, wrapped lines and what it refuses.
#include "common/util/Base64.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The decoded bytes as text, or "<refused>" (checking that nothing was left in out).
std::string Decoded(const wchar_t* text) {
    std::vector<uint8_t> out(3, 'x');
    if (!util::DecodeBase64(text, out)) return out.empty() ? "<refused>" : "<refused, out not emptied>";
    return std::string(out.begin(), out.end());
}

TEST(Base64Test, DecodesTheStandardVectorsAndSkipsWhitespace) {
    EXPECT_EQ("", Decoded(L""));
    EXPECT_EQ("f", Decoded(L"Zg=="));
    EXPECT_EQ("fo", Decoded(L"Zm8="));
    EXPECT_EQ("foo", Decoded(L"Zm9v"));
    EXPECT_EQ("foob", Decoded(L"Zm9vYg=="));
    EXPECT_EQ("fooba", Decoded(L"Zm9vYmE="));
    EXPECT_EQ("foobar", Decoded(L"Zm9vYmFy"));
    EXPECT_EQ("\xFB\xEF\xBE\xFF", Decoded(L"++++/w=="));
    EXPECT_EQ("foobar", Decoded(L" Zm9v\r\nYm\tFy\n"));
    EXPECT_EQ("f", Decoded(L"Zg =\n= \f\v"));
}

TEST(Base64Test, RefusesBadPaddingAndCharacters) {
    for (const wchar_t* bad : {L"Zg", L"Zg=", L"Zm9", L"Z===", L"====", L"Zg===", L"=Zg=", L"Zg==Zg==",
                               L"Zm9vYg==x", L"Zh==", L"Zm9=", L"Zm-v", L"Zm_v", L"Zm9v.", L"Zm9\u0100",
                               L"Zm9v\u00A0"}) {
        EXPECT_EQ("<refused>", Decoded(bad)) << bad;
    }
    EXPECT_EQ("<refused>", Decoded(nullptr));
}

}  // namespace
