// Tests of the HTTP messages: headers, the request bytes, and chunk sizes.
#include "common/net/http/HexUtils.h"
#include "common/net/http/HttpRequest.h"
#include "common/net/http/HttpResponse.h"

#include "tests/common/RaisedBy.h"

#include <gtest/gtest.h>

using net::http::HexUtils;
using net::http::HttpRequest;
using net::http::HttpResponse;

namespace {

std::string RawOf(HttpRequest& request) {
    return std::string(request.GetRaw().GetBuffer(), request.GetRaw().GetSize());
}

TEST(HttpMessageTest, ParseHeadersCollectsCookiesAndKeepsTheLastOfOtherNames) {
    HttpResponse response;
    response.ParseHeaders(
        L"HTTP/1.1 200 OK\r\n"
        L"Set-Cookie: a=1\r\n"
        L"X-Test: first\r\n"
        L"set-cookie: b=2\r\n"
        L"X-Test: second\r\n"
        L"Tight:value\r\n"
        L"Empty:\r\n"
        L"no colon here\r\n"
        L"content-length: 5\r\n"
        L"Ignored: after the last line break");
    EXPECT_STREQ(L"HTTP/1.1 200 OK", response.GetFirstLine().GetText());
    EXPECT_STREQ(L"a=1; b=2", response.GetHeader(L"Set-Cookie"));
    EXPECT_EQ(nullptr, response.GetHeader(L"set-cookie"));
    EXPECT_STREQ(L"second", response.GetHeader(L"X-Test"));
    EXPECT_STREQ(L"alue", response.GetHeader(L"Tight"));  // the colon and one more character go
    EXPECT_STREQ(L"", response.GetHeader(L"Empty"));
    EXPECT_EQ(nullptr, response.GetHeader(L"Content-Length"));  // names are case-sensitive
    EXPECT_STREQ(L"5", response.GetHeader(L"content-length"));
    EXPECT_EQ(nullptr, response.GetHeader(L"Ignored"));

    response.Clear();
    EXPECT_TRUE(response.GetFirstLine().IsEmpty());
    EXPECT_EQ(nullptr, response.GetHeader(L"X-Test"));
}

TEST(HttpMessageTest, SerializeSendsHeadersInNameOrderAndNoBodyWithoutParameters) {
    HttpRequest request;
    request.SetFirstLine(L"GET /p HTTP/1.1");
    request.SetHeader(L"Host", L"host");
    request.SetHeader(L"User-Agent", L"agent");
    request.SetHeader(L"Accept", L"*/*");
    request.SetHeader(L"Host", L"other");  // replaces, never duplicates
    request.Serialize();
    EXPECT_EQ("GET /p HTTP/1.1\r\nAccept: */*\r\nHost: other\r\nUser-Agent: agent\r\n\r\n",
              RawOf(request));
    request.Serialize();  // rebuilt, not appended
    EXPECT_EQ("GET /p HTTP/1.1\r\nAccept: */*\r\nHost: other\r\nUser-Agent: agent\r\n\r\n",
              RawOf(request));
}

TEST(HttpMessageTest, ParametersMakeAFormBodyInUtf8) {
    HttpRequest request;
    request.SetFirstLine(L"POST /f HTTP/1.1");
    request.SetParameter(L"b", L"\u00e9");
    request.SetParameter(L"a", L"1");
    request.Serialize();
    EXPECT_EQ(
        "POST /f HTTP/1.1\r\n"
        "Content-Length: 8\r\n"
        "Content-Type: application/x-www-form-urlencoded\r\n"
        "\r\n"
        "a=1&b=\xC3\xA9\r\n",
        RawOf(request));

    request.Clear();
    request.SetFirstLine(L"GET / HTTP/1.1");
    request.Serialize();
    EXPECT_EQ("GET / HTTP/1.1\r\n\r\n", RawOf(request));
}

TEST(HexUtilsTest, ReadsChunkSizes) {
    EXPECT_EQ(26, HexUtils::HexStringToInteger("1A"));
    EXPECT_EQ(26, HexUtils::HexStringToInteger("1a"));
    EXPECT_EQ(26, HexUtils::HexStringToInteger(" 1A"));
    EXPECT_EQ(26, HexUtils::HexStringToInteger("1A "));
    EXPECT_EQ(256, HexUtils::HexStringToInteger("1 0"));  // a blank inside is a zero digit
    EXPECT_EQ(0, HexUtils::HexStringToInteger(""));
    EXPECT_EQ(0x7FFFFFFF, HexUtils::HexStringToInteger("7fffffff"));
    EXPECT_EQ(0x7FFFFFFF, HexUtils::HexStringToInteger("007fffffff"));
}

TEST(HexUtilsTest, RefusesWhatIsNotHexOrDoesNotFit) {
    // Read from the end: the last bad character is the one named.
    EXPECT_EQ(L"HexUtils::HexStringToInteger(1A;x=y) y not an hex digit.",
              RaisedBy([] { HexUtils::HexStringToInteger("1A;x=y"); }));
    EXPECT_EQ(L"HexUtils::HexStringToInteger(80000000) does not fit 31 bits.",
              RaisedBy([] { HexUtils::HexStringToInteger("80000000"); }));
    EXPECT_EQ(L"HexUtils::HexStringToInteger(100000000) does not fit 31 bits.",
              RaisedBy([] { HexUtils::HexStringToInteger("100000000"); }));
}

}  // namespace
