// Tests of the formatter: the printf conversions the framework's messages use.
#include "common/String.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

template <typename... Args>
std::wstring F(const wchar_t* format, const Args&... args) {
    String text;
    const wchar_t* result = text.Format(format, args...);
    return result ? result : L"<null>";
}

TEST(TextFormatTest, Integers) {
    EXPECT_EQ(L"-42|42|+5| 5", F(L"%d|%i|%+d|% d", -42, 42, 5, 5));
    EXPECT_EQ(L"  7|7  |007|-07", F(L"%3d|%-3d|%03d|%03d", 7, 7, 7, -7));
    EXPECT_EQ(L"0A|00FF|ff|0x1f|17", F(L"%02X|%04X|%x|%#x|%o", 10, 255, 255, 31, 15));
    EXPECT_EQ(L"FFFFFFFF", F(L"%X", -1));  // an int seen as 32 bits
    EXPECT_EQ(L"4294967295", F(L"%u", UINT32_MAX));
    EXPECT_EQ(L"-2147483648", F(L"%d", INT_MIN));
    EXPECT_EQ(L"-9223372036854775808", F(L"%lld", LLONG_MIN));
    EXPECT_EQ(L"18446744073709551615", F(L"%llu", ULLONG_MAX));
    EXPECT_EQ(L"005", F(L"%.3d", 5));
    EXPECT_EQ(L"42", F(L"%ld|", 42L).substr(0, 2));
}

TEST(TextFormatTest, TextAndCharacters) {
    EXPECT_EQ(L"ab|  ab|ab  |a", F(L"%s|%4s|%-4s|%.1s", L"ab", L"ab", L"ab", L"ab"));
    EXPECT_EQ(L"(null)", F(L"%s", static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(L"x|y", F(L"%c|%c", L'x', static_cast<int>(L'y')));
    EXPECT_EQ(L"%", F(L"%%"));
    EXPECT_EQ(L"plain", F(L"plain"));
}

TEST(TextFormatTest, MismatchesAreShownNotMisread) {
    EXPECT_EQ(L"%s", F(L"%s", 5));            // an integer is never read as text
    EXPECT_EQ(L"%d", F(L"%d", L"text"));      // nor text as an integer
    EXPECT_EQ(L"1 %d", F(L"%d %d", 1));       // a missing argument
    EXPECT_EQ(L"a %", F(L"a %"));             // a cut-off conversion
    EXPECT_EQ(L"%q", F(L"%q", 1));            // an unknown one
    EXPECT_EQ(L"%s 2", F(L"%s %d", 1, 2));    // a mismatch still uses up its argument
}

TEST(TextFormatTest, NullFormat) {
    String text(L"old");
    text.Format(nullptr);
    EXPECT_EQ(0, text.GetLength());
}

}  // namespace
