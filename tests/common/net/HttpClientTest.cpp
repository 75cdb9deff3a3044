// Tests of HttpClient and HttpResponse::Read against the local test server.
#include "common/net/http/HttpClient.h"

#include "common/io/ByteArrayOutputStream.h"
#include "languages/Language.h"
#include "tests/common/RaisedBy.h"
#include "tests/common/TestFiles.h"
#include "tests/common/net/TestServer.h"

#include <chrono>
#include <cwchar>
#include <new>
#include <string>
#include <utility>
#include <vector>

using io::ByteArrayOutputStream;
using net::http::HttpClient;
using net::http::HttpRequest;
using net::http::HttpResponse;
using net::http::ProxyServer;

namespace {

const char kUserAgent[] =
    "Mozilla/5.0 (Windows; U; Windows NT 5.1; en-US; rv:1.9.0.11) Gecko/2009060215 Firefox/3.0.11 "
    "(.NET CLR 3.5.30729)";

std::string Bytes(const ByteArrayOutputStream& stream) {
    return stream.GetBuffer() ? std::string(stream.GetBuffer(),
                                            const_cast<ByteArrayOutputStream&>(stream).GetSize())
                              : std::string();
}

// ASCII wide text as bytes.
std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class HttpClientTest : public TestServerTest {
protected:
    // Get into a fresh stream; the body, or "<false>" when Get fails. No fetch may hang
    // (see kHangSeconds): one that ignored a bound would be held far longer.
    std::string Fetch(const std::wstring& url) {
        auto start = std::chrono::steady_clock::now();
        ByteArrayOutputStream stream;
        std::string body = client.Get(url.c_str(), &stream) ? Bytes(stream) : "<false>";
        EXPECT_LT(SecondsSince(start), kHangSeconds) << Narrow(url);
        return body;
    }

    // The request line, up to its CR LF, of a request the echo path sent back.
    static std::string RequestLine(const std::string& echoed) {
        return echoed.substr(0, echoed.find("\r\n"));
    }

    HttpClient client;
};

TEST_F(HttpClientTest, SendsTheRequestLineAndHeadersInNameOrder) {
    std::wstring url = Url(L"/echo/a b");
    std::string host = "127.0.0.1:" + std::to_string(port_);
    std::string expected = "GET /echo/a+b HTTP/1.1\r\n"
                           "Accept: */*\r\n"
                           "Accept-Encoding: identity\r\n"
                           "Connection: Close\r\n";
    expected += "Host: " + host + "\r\n";
    expected += "Referer: http://" + host + "/echo/a b\r\n";
    expected += std::string("User-Agent: ") + kUserAgent + "\r\n\r\n";
    EXPECT_EQ(expected, Fetch(url));
}

TEST_F(HttpClientTest, HostOnPort80IsTheHostAloneAndAFailedLookupKeepsTheStatus) {
    HttpRequest request;
    HttpResponse response;
    uint32_t status = 12345;
    EXPECT_FALSE(client.SendCommand(L"http://nonexistent.invalid/a b", request, response, status));
    EXPECT_EQ(12345u, status);
    EXPECT_STREQ(L"nonexistent.invalid", request.GetHeader(L"Host"));
    EXPECT_STREQ(L"http://nonexistent.invalid/a b", request.GetHeader(L"Referer"));
    EXPECT_STREQ(L"GET /a+b HTTP/1.1", request.GetFirstLine().GetText());
    EXPECT_EQ(nullptr, request.GetHeader(L"Cookie"));
}

TEST_F(HttpClientTest, ReadsBodiesByLengthByChunksAndToTheClose) {
    // The server holds each connection open for a minute after answering: a client
    // that waited for the close instead of the end of the body would hang.
    EXPECT_EQ("abcdefghij", Fetch(Url(L"/split")));      // three reads
    EXPECT_EQ("hello, world", Fetch(Url(L"/chunked")));  // two reads
    EXPECT_EQ("", Fetch(Url(L"/empty")));                // Content-Length: 0
    // A receive ends after a chunk whose data ends in "0\r\n": not the last chunk.
    EXPECT_EQ("abcde0\r\nfghij", Fetch(Url(L"/chunk-pause")));

    // 'Chunked' is not 'chunked': the body is taken as it came, up to the close.
    EXPECT_EQ("5\r\nhello\r\n0\r\n\r\n", Fetch(Url(L"/chunked-capital")));
    EXPECT_EQ("first part, second part", Fetch(Url(L"/no-length")));
    // More than one receive buffer.
    EXPECT_EQ(std::string(200000, 'x'), Fetch(Url(L"/big?size=200000")));
}

TEST_F(HttpClientTest, OnlyA200IsDelivered) {
    ByteArrayOutputStream stream;
    stream.Write("keep", 4);
    EXPECT_FALSE(client.Get(Url(L"/not-found").c_str(), &stream));
    EXPECT_EQ("keep", Bytes(stream));

    HttpRequest request;
    HttpResponse response;
    uint32_t status = 0;
    EXPECT_FALSE(client.SendCommand(Url(L"/not-found").c_str(), request, response, status));
    EXPECT_EQ(404u, status);
    response.Clear();
    EXPECT_TRUE(client.SendCommand(Url(L"/no-reason").c_str(), request, response, status));
    EXPECT_EQ(200u, status);  // 'HTTP/1.1 200' has no reason phrase, and needs none

    TempFolder folder;
    std::wstring path = folder.Path("download.bin");
    WriteBytes(path, "old download");
    EXPECT_FALSE(client.GetToFile(Url(L"/not-found").c_str(), path.c_str()));
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ("", ReadBytes(path));
    EXPECT_TRUE(client.GetToFile(Url(L"/split").c_str(), path.c_str()));
    EXPECT_EQ("abcdefghij", ReadBytes(path));
}

TEST_F(HttpClientTest, ARedirectAppendsTheCurrentPathToItsLocation) {
    // An absolute Location is a base: its trailing '/' goes and the current path and
    // query follow it.
    std::wstring moved = L"/move?status=301&location=" + Url(L"/echo/");
    std::string echoed = Fetch(Url(moved));
    EXPECT_EQ("GET /echo" + Narrow(moved) + " HTTP/1.1", RequestLine(echoed));
    EXPECT_NE(std::string::npos, echoed.find("Referer: " + Narrow(Url(L"/echo" + moved)) + "\r\n"));

    // A Location without '/' replaces the last part of the URL.
    EXPECT_EQ("GET /echo HTTP/1.1", RequestLine(Fetch(Url(L"/move?status=302&location=echo"))));
}

TEST_F(HttpClientTest, ACookieSetOnARedirectGoesWithTheNextRequests) {
    std::string echoed =
        Fetch(Url(L"/move?status=302&cookie=id=42;+path=/&location=") + Url(L"/echo"));
    EXPECT_NE(std::string::npos, echoed.find("\r\nCookie: id=42; path=/\r\n")) << echoed;
    EXPECT_STREQ(L"id=42; path=/", client.GetCookie().GetText());
    EXPECT_NE(std::string::npos, Fetch(Url(L"/echo")).find("\r\nCookie: id=42; path=/\r\n"));
    // A value with a bare line feed would smuggle a header into every later request.
    Fetch(Url(L"/move?status=302&cookie=x%0AX-Injected:+1&location=") + Url(L"/echo"));
    EXPECT_STREQ(L"id=42; path=/", client.GetCookie().GetText());
}

// Another name of the same server is another host: the cookie stays with its own.
TEST_F(HttpClientTest, ACookieGoesOnlyToTheHostThatSetIt) {
    std::wstring elsewhere = L"http://localhost:" + std::to_wstring(port_) + L"/echo";
    std::string echoed = Fetch(Url(L"/move?status=302&cookie=id=7&location=") + elsewhere);
    EXPECT_EQ("GET /echo/move", RequestLine(echoed).substr(0, 14));
    EXPECT_EQ(std::string::npos, echoed.find("Cookie")) << echoed;
    EXPECT_EQ(std::string::npos, Fetch(elsewhere).find("Cookie"));
    EXPECT_NE(std::string::npos, Fetch(Url(L"/echo")).find("\r\nCookie: id=7\r\n"));
}

TEST_F(HttpClientTest, ARedirectBackToTheSameUrlEndsTrueWithNothingDelivered) {
    std::wstring url = Url(L"/move?status=301&location=" + Url(L"/"));
    HttpRequest request;
    HttpResponse response;
    uint32_t status = 0;
    EXPECT_TRUE(client.SendCommand(url.c_str(), request, response, status));
    EXPECT_EQ(301u, status);

    ByteArrayOutputStream stream;
    EXPECT_TRUE(client.Get(url.c_str(), &stream));
    EXPECT_EQ(0, stream.GetSize());
}

TEST_F(HttpClientTest, RedirectsEndAtTenAndWithoutALocation) {
    EXPECT_EQ("done", Fetch(Url(L"/hops/10")));
    EXPECT_EQ("<false>", Fetch(Url(L"/hops/11")));

    HttpRequest request;
    HttpResponse response;
    uint32_t status = 0;
    EXPECT_FALSE(client.SendCommand(Url(L"/move?status=302").c_str(), request, response, status));
    EXPECT_EQ(302u, status);
    // Only 301 and 302 are followed.
    EXPECT_EQ("<false>", Fetch(Url(L"/move?status=303&location=echo")));
}

// An IPv6 literal is connected to over IPv6 and named, brackets and all, in the Host
// header.
TEST_F(HttpClientTest, AnIPv6LiteralIsRequestedOverIPv6) {
    if (!HasIPv6()) GTEST_SKIP() << "the test server could not listen on ::1: this machine has no IPv6 loopback";
    std::wstring server = L"http://[::1]:" + std::to_wstring(port_);
    EXPECT_EQ("::1", Fetch(server + L"/peer"));
    EXPECT_NE(std::string::npos, Fetch(server + L"/echo").find("\r\nHost: [::1]:" + std::to_string(port_) + "\r\n"));
}

// A host's addresses, of either family, are tried in the order the lookup gives them
// until one takes the connection (127.0.0.2 refuses: the server listens on 127.0.0.1).
TEST_F(HttpClientTest, AHostsAddressesAreTriedInTheOrderTheLookupGives) {
    if (!HasIPv6()) GTEST_SKIP() << "the test server could not listen on ::1: this machine has no IPv6 loopback";
    net::SocketAddress ipv4, refusing, ipv6;
    ipv4.bytes[0] = refusing.bytes[0] = 127;
    ipv4.bytes[3] = 1;
    refusing.bytes[3] = 2;
    ipv6.family = net::SocketAddress::Family::IPv6;
    ipv6.bytes[15] = 1;
    client.SetResolver([=](const char* host, std::vector<net::SocketAddress>& addresses) {
        std::string name = host;
        if (name == "ipv6-first") addresses = {ipv6, ipv4};
        if (name == "ipv4-first") addresses = {ipv4, ipv6};
        if (name == "refused-first") addresses = {refusing, ipv6};
        return !addresses.empty();
    });
    std::wstring port = L":" + std::to_wstring(port_);
    EXPECT_EQ("::1", Fetch(L"http://ipv6-first" + port + L"/peer"));
    EXPECT_EQ("127.0.0.1", Fetch(L"http://ipv4-first" + port + L"/peer"));
    EXPECT_EQ("::1", Fetch(L"http://refused-first" + port + L"/peer"));
    EXPECT_EQ("<false>", Fetch(L"http://unknown" + port + L"/peer"));
}

TEST_F(HttpClientTest, UnreachableServersGiveFalse) {
    EXPECT_EQ("<false>", Fetch(L"http://nonexistent.invalid/"));
    EXPECT_EQ("<false>", Fetch(UrlOnPort(closedPort_, L"/")));
    EXPECT_EQ("<false>", Fetch(L"https://127.0.0.1/"));  // no port for https
}

TEST_F(HttpClientTest, TheFailureIsSaidInTheLanguageChosen) {
    const int german = Language::Find(L"de");
    ASSERT_GE(german, 0);
    const std::vector<std::wstring> where = {L"127.0.0.1", std::to_wstring(closedPort_)};
    const std::wstring english = Language::Say(TextId::kNetNoConnection, where);
    Language::Choose(german);
    EXPECT_EQ("<false>", Fetch(UrlOnPort(closedPort_, L"/")));
    const std::wstring said = client.GetFailure().GetText();
    const std::wstring expected = Language::Say(TextId::kNetNoConnection, where);
    Language::Choose(Language::kEnglish);

    EXPECT_EQ(expected, said);
    EXPECT_NE(english, said);
}

TEST_F(HttpClientTest, TheTimeOutBoundsEveryRequestOfTheClient) {
    client.SetRecvTimeOut(1000);
    EXPECT_EQ("done", Fetch(Url(L"/hops/0")));  // the next request is made on a new socket

    EXPECT_EQ("<false>", Fetch(Url(L"/silent")));  // the server holds the connection a minute

    EXPECT_EQ("<false>", Fetch(UrlOnPort(stalledPort_, L"/")));  // the connection is never accepted
}

TEST_F(HttpClientTest, BadChunksFailTheRequestAndTheClientGoesOn) {
    client.SetRecvTimeOut(1000);
    EXPECT_EQ("<false>", Fetch(Url(L"/bad-chunk?size=ff")));  // runs past the data: waits for more
    EXPECT_EQ("abc", Fetch(Url(L"/bad-chunk?size=3")));
    EXPECT_EQ("<false>", Fetch(Url(L"/bad-chunk?size=100000003")));  // nine digits
    EXPECT_EQ("<false>", Fetch(Url(L"/bad-chunk?size=3;x=1")));      // an extension is not hex
    EXPECT_EQ("done", Fetch(Url(L"/hops/0")));                       // on a new socket
}

TEST_F(HttpClientTest, ABodyCutShortFails) {
    EXPECT_EQ("<false>", Fetch(Url(L"/short")));
    EXPECT_EQ("<false>", Fetch(Url(L"/short-chunked")));
    client.SetRecvTimeOut(1000);
    EXPECT_EQ("<false>", Fetch(Url(L"/no-length-held")));  // the time-out came, not the close
}

TEST_F(HttpClientTest, BrokenResponsesFailWithinTheirBound) {
    client.SetRecvTimeOut(2000);
    EXPECT_EQ("<false>", Fetch(Url(L"/cut-header")));      // closed inside the header block
    EXPECT_EQ("<false>", Fetch(Url(L"/cut-chunk-size")));  // closed inside a chunk size
    EXPECT_EQ("<false>", Fetch(Url(L"/cut-chunk")));       // closed inside a chunk
    for (int seed = 1; seed <= 3; ++seed) {
        EXPECT_EQ("<false>", Fetch(Url(L"/noise?seed=" + std::to_wstring(seed)))) << seed;
    }
    EXPECT_EQ("", Fetch(Url(L"/empty")));  // the client goes on
}

// A peer that sends a byte a second (for a thousand seconds) never lets the receive
// time-out strike; the minimum progress ends the response, and a slow but steady one
// still comes whole.
TEST_F(HttpClientTest, AResponseTooSlowToFinishFailsWithinItsSpan) {
    client.SetMinimumProgress(1024, 1000);
    EXPECT_EQ("<false>", Fetch(Url(L"/drip")));
    EXPECT_EQ(std::string(16384, 's'), Fetch(Url(L"/steady")));  // 4 KiB a second for 3.5 s
}

TEST_F(HttpClientTest, AContentLengthLargerThanWhatComesFails) {
    client.SetRecvTimeOut(1000);
    EXPECT_EQ("<false>", Fetch(Url(L"/long-promise?length=100000")));  // waits for the time-out
    // Past the size limit at once, not after the time-out, now a minute.
    client.SetRecvTimeOut(60000);
    EXPECT_EQ("<false>", Fetch(Url(L"/long-promise?length=2000000000")));
}

TEST_F(HttpClientTest, AHundredThousandHeaderLinesFailAtOnce) {
    EXPECT_EQ("<false>", Fetch(Url(L"/many-headers")));
    EXPECT_EQ("done", Fetch(Url(L"/hops/0")));
}

TEST_F(HttpClientTest, AResponsePastItsSizeLimitFails) {
    HttpRequest request;
    HttpResponse response;
    response.SetSizeLimit(100000);
    uint32_t status = 0;
    EXPECT_FALSE(client.SendCommand(Url(L"/big?size=300000").c_str(), request, response, status));
    response.Clear();
    EXPECT_TRUE(client.SendCommand(Url(L"/big?size=90000").c_str(), request, response, status));
    EXPECT_EQ(90000, response.GetBody().GetSize());
    EXPECT_EQ(256 * 1024 * 1024, HttpResponse().GetSizeLimit());
}

TEST_F(HttpClientTest, AHugeReplyEndsAtTheSizeLimitOrComesWholeQuickly) {
    client.SetSizeLimit(64 << 10);
    EXPECT_EQ("<false>", Fetch(Url(L"/huge")));  // 64 MiB without a length

    client.SetSizeLimit((64 << 20) + 1024);  // room for the header block
    std::string body = Fetch(Url(L"/huge"));
    EXPECT_EQ(size_t{64} << 20, body.size());
    EXPECT_EQ(std::string::npos, body.find_first_not_of('h'));
}

// A steady trickle passes the minimum progress for ever; the time limit ends it.
TEST_F(HttpClientTest, TheTimeLimitBoundsTheWholeRequest) {
    client.SetTimeLimit(3000);
    EXPECT_EQ("<false>", Fetch(Url(L"/trickle")));  // a minute long
    EXPECT_EQ("done", Fetch(Url(L"/hops/3")));  // redirects within the limit

    client.SetTimeLimit(500);  // far sooner than the receive time-out
    client.SetRecvTimeOut(60000);
    EXPECT_EQ("<false>", Fetch(UrlOnPort(stalledPort_, L"/")));

    // /split takes 0.4 s for its 10 bytes; at a byte a second they add ten seconds.
    client.SetTimeLimit(200);
    EXPECT_EQ("<false>", Fetch(Url(L"/split")));
    client.SetTimeLimit(200, 1);
    EXPECT_EQ("abcdefghij", Fetch(Url(L"/split")));
}

TEST_F(HttpClientTest, AUrlWithAControlCharacterIsNeverSent) {
    EXPECT_EQ("<false>", Fetch(Url(L"/echo/a\r\nX-Injected: 1")));
    // Nor is a Location that holds one (a bare CR: lines end at CR LF).
    EXPECT_EQ("<false>",
              Fetch(Url(L"/move?status=302&location=") + Url(L"/echo/%0DX-Injected:+1")));
    std::string echoed = Fetch(Url(L"/echo"));
    EXPECT_EQ("GET /echo HTTP/1.1", RequestLine(echoed));
    EXPECT_EQ(std::string::npos, echoed.find("X-Injected"));
}

TEST_F(HttpClientTest, TheProgressListenerFollowsEachResponseAndMayEndIt) {
    std::vector<std::pair<int64_t, int64_t>> told;
    client.SetProgressListener([&told](int64_t received, int64_t announced) {
        told.emplace_back(received, announced);
        return true;
    });
    EXPECT_EQ("abcdefghij", Fetch(Url(L"/split")));  // sent in three pieces 0.2 s apart
    EXPECT_GE(told.size(), 5u);                       // told while it waits as well
    for (size_t i = 1; i < told.size(); ++i) EXPECT_LE(told[i - 1].first, told[i].first);
    EXPECT_EQ(std::make_pair(int64_t{10}, int64_t{10}), told.back());

    told.clear();
    client.SetProgressListener([&told](int64_t received, int64_t announced) {
        told.emplace_back(received, announced);
        return received < 1200;
    });
    EXPECT_EQ("<false>", Fetch(Url(L"/trickle")));  // 600 bytes every 0.9 s for a minute
    EXPECT_GE(told.back().first, 1200);
    EXPECT_EQ(-1, told.back().second);

    // Whatever the listener raises fails the request alone, memory running out too.
    client.SetProgressListener([](int64_t, int64_t) -> bool { throw std::bad_alloc(); });
    EXPECT_EQ("<false>", Fetch(Url(L"/empty")));
    client.SetProgressListener(nullptr);
    EXPECT_EQ("done", Fetch(Url(L"/hops/0")));
}

TEST_F(HttpClientTest, ANullUrlIsRaised) {
    HttpRequest request;
    HttpResponse response;
    uint32_t status = 0;
    EXPECT_EQ(L"HttpClient::SendCommand()\nurl parameters is null",
              RaisedBy([&] { client.SendCommand(nullptr, request, response, status); }));
}

// Requests through the test proxy (see http_test_server.py). The service's host is a
// name that does not resolve: only the proxy, which sends every name to 127.0.0.1,
// reaches it.
class HttpClientProxyTest : public HttpClientTest {
protected:
    // Every later request of the client goes through the proxy on port; the URLs asked
    // about are kept.
    void ThroughProxy(int port) {
        client.SetProxyChooser([this, port](const wchar_t* url) {
            asked_.push_back(url);
            return ProxyServer{L"127.0.0.1", port};
        });
    }
    std::wstring ServiceUrl(const wchar_t* scheme, const std::wstring& path) const {
        return scheme + std::wstring(L"://service.test:") + std::to_wstring(port_) + path;
    }
    // The request lines the proxy has received, one per line.
    std::string ProxyLog() {
        HttpClient direct;
        ByteArrayOutputStream log;
        EXPECT_TRUE(direct.Get(Url(L"/proxy-log").c_str(), &log));
        return Bytes(log);
    }
    // A path no other test asks for, so that its line in the log is this test's.
    static std::wstring UniquePath(const wchar_t* name) {
        return L"/echo/" + std::wstring(name) +
               std::to_wstring(std::chrono::steady_clock::now().time_since_epoch().count());
    }
    // The failure names the proxy on port.
    void ExpectFailureNames(int port) {
        std::wstring failure = client.GetFailure().GetText() ? client.GetFailure().GetText() : L"";
        EXPECT_NE(std::wstring::npos, failure.find(L"127.0.0.1:" + std::to_wstring(port))) << Narrow(failure);
    }

    std::vector<std::wstring> asked_;
};

// The proxy gets the absolute form and passes the request on; the answer is delivered.
TEST_F(HttpClientProxyTest, AnHttpRequestGoesToTheProxyInTheAbsoluteForm) {
    ThroughProxy(proxyPort_);
    std::wstring path = UniquePath(L"absolute");
    std::string echoed = Fetch(ServiceUrl(L"http", path));
    EXPECT_EQ("GET " + Narrow(path) + " HTTP/1.1", RequestLine(echoed));
    EXPECT_NE(std::string::npos, echoed.find("\r\nHost: service.test:" + std::to_string(port_) + "\r\n"));
    EXPECT_NE(std::string::npos, ProxyLog().find("GET " + Narrow(ServiceUrl(L"http", path)) + " HTTP/1.1\n"));
    EXPECT_EQ(std::vector<std::wstring>{ServiceUrl(L"http", path)}, asked_);
    EXPECT_EQ(0, client.GetFailure().GetLength());
}

// An https request asks for a tunnel to the server's host and port first (the test
// server speaks no TLS, so the request fails after it).
TEST_F(HttpClientProxyTest, AnHttpsRequestAsksTheProxyForATunnel) {
    ThroughProxy(proxyPort_);
    EXPECT_EQ("<false>", Fetch(ServiceUrl(L"https", UniquePath(L"tunnel"))));
    EXPECT_NE(std::string::npos, ProxyLog().find("CONNECT service.test:" + std::to_string(port_) + " HTTP/1.1\n"));
}

// A proxy that refuses, asks for a password, never answers or cannot be reached ends
// the request within its bounds, and the failure names the proxy, for http and https.
TEST_F(HttpClientProxyTest, AProxyThatRefusesAsksOrIsSilentFailsQuicklyNamingIt) {
    client.SetRecvTimeOut(1000);
    for (int port : {refusingProxyPort_, askingProxyPort_, silentProxyPort_, closedPort_}) {
        for (const wchar_t* scheme : {L"http", L"https"}) {
            SCOPED_TRACE(Narrow(scheme) + " through port " + std::to_string(port));
            ThroughProxy(port);
            EXPECT_EQ("<false>", Fetch(ServiceUrl(scheme, UniquePath(L"refused"))));
            ExpectFailureNames(port);
        }
    }
    ThroughProxy(askingProxyPort_);
    Fetch(ServiceUrl(L"http", L"/echo"));
    EXPECT_NE(nullptr, std::wcsstr(client.GetFailure().GetText(), L"user name and password"));
}

}  // namespace
