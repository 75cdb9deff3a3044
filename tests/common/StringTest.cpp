// Tests of String: exact buffers, search, replace, split and conversions.
#include "common/String.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::wstring Text(const String& s) { return s.GetText() ? s.GetText() : L"<null>"; }

TEST(StringTest, EmptyAndCopies) {
    String empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(nullptr, empty.GetText());
    EXPECT_EQ(0, empty.GetLength());
    String copyOfEmpty(empty);
    EXPECT_TRUE(copyOfEmpty.IsEmpty());

    String text(L"abc");
    String copy(text);
    EXPECT_NE(text.GetText(), copy.GetText());  // its own buffer
    EXPECT_EQ(L"abc", Text(copy));
    copy = empty;
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_STREQ(L"String", text.GetName());
}

TEST(StringTest, SetWithOwnTextKeepsIt) {
    String text(L"keep");
    text.Set(text.GetText());
    EXPECT_EQ(L"keep", Text(text));
    text.Set(nullptr);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(StringTest, FormatAndAppend) {
    String text;
    EXPECT_STREQ(L"ab-7", text.Format(L"%s-%i", L"ab", 7));
    EXPECT_EQ(4, text.GetLength());
    text.AppendFormat(L"/%02X", 10);
    EXPECT_EQ(L"ab-7/0A", Text(text));
    text.AppendFormat(nullptr);
    EXPECT_EQ(L"ab-7/0A", Text(text));

    String fresh;
    fresh.AppendFormat(L"%c%04X", L'x', 0xBEEF);
    EXPECT_EQ(L"xBEEF", Text(fresh));

    String tail(L"!");
    fresh.Append(tail);
    fresh.Append(String());
    EXPECT_EQ(L"xBEEF!", Text(fresh));
    String none;
    none.Append(tail);
    EXPECT_EQ(L"!", Text(none));
}

TEST(StringTest, FormatTakesStringArguments) {
    String name(L"File");
    String text;
    text.Format(L"%s::Open() - %s", name, String());
    EXPECT_EQ(L"File::Open() - ", Text(text));
}

TEST(StringTest, Replace) {
    String text(L"a%%b%%");
    EXPECT_EQ(2, text.Replace(L"%%", L"@0/0@"));
    EXPECT_EQ(L"a@0/0@b@0/0@", Text(text));

    String plain(L"abc");
    EXPECT_EQ(0, plain.Replace(L"x", L"y"));
    EXPECT_EQ(L"abc", Text(plain));

    String removed(L"a-b-c-");
    EXPECT_EQ(3, removed.Replace(L"-", nullptr));
    EXPECT_EQ(L"abc", Text(removed));

    String overlapping(L"aaaa");
    EXPECT_EQ(2, overlapping.Replace(L"aa", L"b"));
    EXPECT_EQ(L"bb", Text(overlapping));

    String everything(L"xx");
    EXPECT_EQ(2, everything.Replace(L"x", nullptr));
    EXPECT_EQ(0, everything.GetLength());

    String empty;
    EXPECT_EQ(0, empty.Replace(L"a", L"b"));
    EXPECT_EQ(0, plain.Replace(L"", L"b"));  // would never end
    EXPECT_EQ(0, plain.Replace(nullptr, L"b"));
}

TEST(StringTest, FindLast) {
    String path(L"a/b/c");
    EXPECT_EQ(3, path.FindLast(L"/"));
    EXPECT_EQ(-1, path.FindLast(L"z"));
    EXPECT_EQ(-1, path.FindLast(nullptr));
    EXPECT_EQ(-1, path.FindLast(L""));
    EXPECT_EQ(-1, String().FindLast(L"a"));
    EXPECT_EQ(0, String(L"aaa").FindLast(L"aa"));  // whole matches are skipped
    EXPECT_EQ(2, String(L"aaaa").FindLast(L"aa"));
}

TEST(StringTest, SubString) {
    String hello(L"hello");
    String out(L"old");
    EXPECT_TRUE(hello.SubString(out, 1, -1));
    EXPECT_EQ(L"ello", Text(out));
    EXPECT_TRUE(hello.SubString(out, 5, -1));
    ASSERT_NE(nullptr, out.GetText());  // an empty but allocated text
    EXPECT_EQ(0, out.GetLength());
    EXPECT_FALSE(hello.SubString(out, 6, -1));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_TRUE(hello.SubString(out, 3, 10));
    EXPECT_EQ(L"lo", Text(out));
    EXPECT_TRUE(hello.SubString(out, 2, 0));
    EXPECT_TRUE(out.IsEmpty());
    EXPECT_FALSE(hello.SubString(out, -1, 2));

    hello.SubString(hello, 1, 3);  // into itself
    EXPECT_EQ(L"ell", Text(hello));
}

TEST(StringTest, Split) {
    std::unique_ptr<String[]> pieces;
    int count = -1;
    ASSERT_TRUE(String(L"1.0.2").Split(L".", pieces, count));
    ASSERT_EQ(3, count);
    EXPECT_EQ(L"1", Text(pieces[0]));
    EXPECT_EQ(L"0", Text(pieces[1]));
    EXPECT_EQ(L"2", Text(pieces[2]));
    EXPECT_TRUE(pieces[3].IsEmpty());  // the array has one more, empty element

    ASSERT_TRUE(String(L"abc").Split(L".", pieces, count));
    ASSERT_EQ(1, count);
    EXPECT_EQ(L"abc", Text(pieces[0]));

    ASSERT_TRUE(String(L"a,b,").Split(L",", pieces, count));
    EXPECT_EQ(2, count);
    ASSERT_TRUE(String(L",a").Split(L",", pieces, count));
    ASSERT_EQ(2, count);
    EXPECT_EQ(0, pieces[0].GetLength());
    EXPECT_EQ(L"a", Text(pieces[1]));
    ASSERT_TRUE(String(L"a,,b").Split(L",", pieces, count));
    ASSERT_EQ(3, count);
    EXPECT_EQ(0, pieces[1].GetLength());
    ASSERT_TRUE(String(L"a::b").Split(L"::", pieces, count));
    ASSERT_EQ(2, count);
    EXPECT_EQ(L"b", Text(pieces[1]));

    pieces.reset();
    count = 7;
    EXPECT_FALSE(String().Split(L".", pieces, count));
    EXPECT_EQ(nullptr, pieces.get());
    EXPECT_EQ(7, count);
}

TEST(StringTest, ToUtf8) {
    String accent(L"\u00e9");
    const char* utf8 = accent.ToUtf8();
    ASSERT_NE(nullptr, utf8);
    EXPECT_EQ(2u, std::strlen(utf8));
    EXPECT_EQ('\xC3', utf8[0]);
    EXPECT_EQ('\xA9', utf8[1]);
    EXPECT_EQ(nullptr, String().ToUtf8());

    String wide(L"\u20ac\U0001F600");  // three and four bytes
    EXPECT_STREQ("\xE2\x82\xAC\xF0\x9F\x98\x80", wide.ToUtf8());

    String copy(accent);  // copies never take the narrow copy
    EXPECT_STREQ("\xC3\xA9", copy.ToUtf8());
}

TEST(StringTest, SetAnsi) {
    String text;
    text.SetAnsi("plain ascii");
    EXPECT_EQ(L"plain ascii", Text(text));
    text.SetAnsi(nullptr);
    EXPECT_TRUE(text.IsEmpty());
    text.SetAnsi("");
    EXPECT_EQ(0, text.GetLength());
}

#ifdef _WIN32
TEST(StringTest, SetAnsiUsesTheSystemCodePage) {
    // Not the inverse of ToUtf8: the UTF-8 bytes of U+00E9 are two ANSI characters.
    String text;
    text.SetAnsi("\xC3\xA9");
    EXPECT_EQ(2, text.GetLength());
}
#else
TEST(StringTest, SetAnsiDecodesUtf8AndReplacesMalformedBytes) {
    String text;
    text.SetAnsi("\xC3\xA9");
    EXPECT_EQ(L"\u00e9", Text(text));
    text.SetAnsi("a\xFF" "b\xE2\x82");  // a stray byte and a cut-off sequence
    EXPECT_EQ(L"a\uFFFDb\uFFFD", Text(text));
    text.SetAnsi("\xC0\xAF");  // an overlong '/'
    EXPECT_EQ(L'\uFFFD', text.GetText()[0]);
}
#endif

}  // namespace
