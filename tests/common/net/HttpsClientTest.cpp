// Tests of HttpClient over TLS (TlsSession) against the test server's HTTPS port.
#include "common/io/ByteArrayOutputStream.h"
#include "common/net/http/HttpClient.h"

#include "tests/common/net/TestServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <string>

using net::http::HttpClient;

namespace {

// The HTTPS port speaks the TLS that the last /tls-control chose; the tests of this
// program hold that choice (CTest runs them one at a time) and leave it "good".
class HttpsClientTest : public TestServerTest {
protected:
    void SetUp() override {
        TestServerTest::SetUp();
        ASSERT_NE(0, httpsPort_) << "the test server has no HTTPS port";
    }
    void TearDown() override { Choose(L"good"); }

    void Choose(const std::wstring& mode) {
        HttpClient control;
        ASSERT_TRUE(control.Get(Url(L"/tls-control?mode=" + mode).c_str(), nullptr)) << control.GetFailure().GetText();
    }
    // The body of a fetch that must succeed.
    static std::string Fetch(HttpClient& client, const std::wstring& url) {
        io::ByteArrayOutputStream body;
        EXPECT_TRUE(client.Get(url.c_str(), &body)) << client.GetFailure().GetText();
        return body.GetSize() == 0 ? std::string() : std::string(body.GetBuffer(), body.GetSize());
    }
};

// The request goes out whole and the answer comes back decrypted, in one record or in
// many, chunked, and across redirects that stay on https.
TEST_F(HttpsClientTest, FetchesOverTlsFromAServerTheSystemTrusts) {
    HttpClient client;
    std::string echo = Fetch(client, HttpsUrl(L"/echo?x=1"));
    EXPECT_EQ(0u, echo.find("GET /echo?x=1 HTTP/1.1\r\n")) << echo;
    EXPECT_NE(std::string::npos, echo.find("\r\nHost: localhost:" + std::to_string(httpsPort_) + "\r\n")) << echo;
    EXPECT_EQ("\r\n\r\n", echo.substr(echo.size() - 4));
    EXPECT_EQ("hello, world", Fetch(client, HttpsUrl(L"/chunked")));
    EXPECT_EQ(std::string(300000, 'x'), Fetch(client, HttpsUrl(L"/big?size=300000")));
    EXPECT_EQ("done", Fetch(client, HttpsUrl(L"/hops/3")));
    EXPECT_STREQ(L"", client.GetFailure().GetText());
}

TEST_F(HttpsClientTest, ARedirectFromHttpsToHttpIsRefused) {
    HttpClient client;
    std::wstring plain = Url(L"");
    EXPECT_FALSE(client.Get(HttpsUrl(L"/move?status=302&location=" + plain).c_str(), nullptr));
    std::wstring failure = client.GetFailure().GetText();
    EXPECT_EQ(0u, failure.find(L"a redirect from https to " + plain + L"/move?")) << failure;
    EXPECT_NE(std::wstring::npos, failure.find(L"refused")) << failure;
}

// Each fault ends the request within the client's own bounds (the stall bound for the
// server that never answers), and the failure names the host and the cause.
TEST_F(HttpsClientTest, EachFaultOfTheServerFailsQuicklyAndSaysWhy) {
    const struct {
        const wchar_t* mode;
        const wchar_t* cause;
    } faults[] = {
        {L"expired", L"expired"},          {L"wrong-host", L"another name"}, {L"unknown", L"trusted authority"},
        {L"tls10", L"no TLS 1.2 or newer"}, {L"stall", L"in time"},        {L"noise", L"not TLS"},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(std::string(fault.mode, fault.mode + std::wcslen(fault.mode)));
        Choose(fault.mode);
        HttpClient client;
        client.SetRecvTimeOut(3000);
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(client.Get(HttpsUrl(L"/echo").c_str(), nullptr));
        EXPECT_LT(SecondsSince(start), kHangSeconds);
        std::wstring failure = client.GetFailure().GetText();
        EXPECT_EQ(0u, failure.find(L"no secure connection to localhost: ")) << failure;
        EXPECT_NE(std::wstring::npos, failure.find(fault.cause)) << failure;
    }
}

// Through the test proxy the request goes through a tunnel to the server's host and
// port (CONNECT), and TLS inside it checks the server as it does without one.
TEST_F(HttpsClientTest, ThroughAProxyTheRequestGoesThroughItsTunnel) {
    HttpClient client;
    int proxyPort = proxyPort_;
    client.SetProxyChooser([proxyPort](const wchar_t*) { return net::http::ProxyServer{L"127.0.0.1", proxyPort}; });
    std::string echo = Fetch(client, HttpsUrl(L"/echo?through=proxy"));
    EXPECT_EQ(0u, echo.find("GET /echo?through=proxy HTTP/1.1\r\n")) << echo;
    HttpClient direct;
    EXPECT_NE(
        std::string::npos,
        Fetch(direct, Url(L"/proxy-log")).find("CONNECT localhost:" + std::to_string(httpsPort_) + " HTTP/1.1\n"));
}

}  // namespace
