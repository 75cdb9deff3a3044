// Tests of URL: host, port and path by plain text search.
#include "common/net/URL.h"

#include "tests/common/RaisedBy.h"

#include <gtest/gtest.h>

using net::URL;

namespace {

struct Parts {
    std::wstring host;
    int port;
    std::wstring path;
};

Parts Split(const wchar_t* text) {
    URL url;
    url.Set(text);
    return {url.getHost(), url.getPort(), url.getPath()};
}

void ExpectParts(const wchar_t* text, const wchar_t* host, int port, const wchar_t* path) {
    Parts parts = Split(text);
    EXPECT_EQ(host, parts.host) << text;
    EXPECT_EQ(port, parts.port) << text;
    EXPECT_EQ(path, parts.path) << text;
}

TEST(URLTest, SplitsHostPortAndPath) {
    ExpectParts(L"http://host:8080/dir/page?x=1", L"host", 8080, L"/dir/page?x=1");
    ExpectParts(L"HTTP://host/", L"host", 80, L"/");
    ExpectParts(L"http://host", L"host", 80, L"/");
    ExpectParts(L"http://host:81", L"host", 81, L"/");
    ExpectParts(L"http://host/p?t=a:b", L"host", 80, L"/p?t=a:b");  // the colon is in the query
    ExpectParts(L"http://host:/x", L"host", 0, L"/x");              // no digits
    ExpectParts(L"http://host: 12x/y", L"host", 12, L"/y");         // read like atoi
    ExpectParts(L"https://host:443/", L"host", 443, L"/");
    ExpectParts(L"http://host/a b#top", L"host", 80, L"/a b#top");  // nothing decoded or cut
}

// The colons of an IPv6 literal are its own; the brackets stay with the host.
TEST(URLTest, SplitsAnIPv6LiteralInBrackets) {
    ExpectParts(L"http://[::1]:8080/versions/index.php", L"[::1]", 8080, L"/versions/index.php");
    ExpectParts(L"http://[fe80::1:2]/a:b", L"[fe80::1:2]", 80, L"/a:b");
    ExpectParts(L"http://[::1]", L"[::1]", 80, L"/");
}

// "https://" is the secure scheme, whatever its case, and its default port is 443, also
// when a colon stands later in the path; "http" with more letters is not it.
TEST(URLTest, HttpsIsSecureOnPort443UnlessNamed) {
    ExpectParts(L"https://host/versions/index.php", L"host", 443, L"/versions/index.php");
    ExpectParts(L"HTTPS://host", L"host", 443, L"/");
    ExpectParts(L"https://host/p?t=a:b", L"host", 443, L"/p?t=a:b");
    ExpectParts(L"https://host:8443/x", L"host", 8443, L"/x");
    ExpectParts(L"https://[::1]/a:b", L"[::1]", 443, L"/a:b");
    for (const wchar_t* secure : {L"https://host/", L"HtTpS://host:80/"}) {
        URL url;
        url.Set(secure);
        EXPECT_TRUE(url.IsSecure()) << secure;
    }
    for (const wchar_t* plain : {L"http://host:443/", L"httpss://host/", L"ftp://https://host/", L"host/https://"}) {
        URL url;
        url.Set(plain);
        EXPECT_FALSE(url.IsSecure()) << plain;
    }
}

TEST(URLTest, RefusesWhatItCannotSplit) {
    URL ftp;
    ftp.Set(L"ftp://host/file");
    EXPECT_STREQ(L"host", ftp.getHost());
    EXPECT_EQ(L"URL::getPort() for \"ftp://host/file\" returned -1",
              RaisedBy([&] { ftp.getPort(); }));

    URL noScheme;
    noScheme.Set(L"host/path");
    EXPECT_EQ(L"host part could not be extracted from host/path",
              RaisedBy([&] { noScheme.getHost(); }));
    EXPECT_STREQ(L"/", noScheme.getPath());
    EXPECT_EQ(L"URL::getPort() for \"host/path\" returned -1",
              RaisedBy([&] { noScheme.getPort(); }));

    URL empty;
    EXPECT_EQ(L"host part could not be extracted from ", RaisedBy([&] { empty.getHost(); }));
}

TEST(URLTest, RefusesControlCharactersAndKeepsItsText) {
    URL url;
    url.Set(L"http://host/a b\u00A0~");  // a blank, a no-break space, a tilde
    const struct {
        wchar_t character;
        const wchar_t* hex;
    } controls[] = {{1, L"01"},     {L'\t', L"09"},  {L'\n', L"0A"},  {L'\r', L"0D"},
                    {0x1F, L"1F"}, {0x7F, L"7F"}, {0x85, L"85"}, {0x9F, L"9F"}};
    for (const auto& control : controls) {
        std::wstring text = std::wstring(L"http://host/a") + control.character + L"b";
        std::wstring expected = L"URL::Set()\nThe URL holds the control character 0x";
        EXPECT_EQ(expected + control.hex + L" at 13.", RaisedBy([&] { url.Set(text.c_str()); }));
    }
    EXPECT_STREQ(L"http://host/a b\u00A0~", url.GetText());
}

}  // namespace
