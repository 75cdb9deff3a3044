// Tests of the HTTP messages: headers, the request bytes, chunk sizes and chunked bodies.
#include "common/net/http/HexUtils.h"
#include "common/net/http/HttpRequest.h"
#include "common/net/http/HttpResponse.h"

#include "tests/common/RaisedBy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using net::http::HexUtils;
using net::http::HttpRequest;
using net::http::HttpResponse;

namespace {

std::string RawOf(net::http::HttpMessage& message) {
    return std::string(message.GetRaw().GetBuffer(), message.GetRaw().GetSize());
}

const char kChunkedHead[] = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";

// Reads a chunked response whose body is chunks, received in pieces cut at the given
// offsets of the body (each piece at most pieceSize bytes), then the peer's close. The
// body, or "raised: " and the message; raw, when given, receives the bytes received.
std::string ReadChunked(const std::string& chunks, std::vector<size_t> cuts,
                        size_t pieceSize = 1 << 20, std::string* raw = nullptr) {
    std::string bytes = kChunkedHead + chunks;
    cuts.push_back(chunks.size());
    for (size_t& cut : cuts) cut += std::strlen(kChunkedHead);
    size_t sent = 0;
    size_t next = 0;  // the cut that the next receive stops at
    HttpResponse response;
    std::wstring raised = RaisedBy([&] {
        response.ReadFrom([&](char* buffer, int) {
            while (next < cuts.size() && cuts[next] <= sent) ++next;
            if (next == cuts.size()) return 0;
            size_t n = std::min(pieceSize, cuts[next] - sent);
            std::memcpy(buffer, bytes.data() + sent, n);
            sent += n;
            return static_cast<int>(n);
        });
    });
    if (raw != nullptr) *raw = RawOf(response);
    if (raised != L"<nothing raised>") {
        return "raised: " + std::string(raised.begin(), raised.end());
    }
    io::ByteArrayOutputStream& body = response.GetBody();
    return body.GetBuffer() ? std::string(body.GetBuffer(), body.GetSize()) : std::string();
}

// Reads a response whose receives bring next(k) for the k-th receive (0 first; at most
// a receive buffer) and the peer's close once it gives nothing. The body, or "raised: " and the message;
// receives, when given, counts the receives made.
std::string ReadPieces(const std::function<std::string(int)>& next, int* receives = nullptr) {
    int count = 0;
    HttpResponse response;
    std::wstring raised = RaisedBy([&] {
        response.ReadFrom([&](char* buffer, int) {
            std::string piece = next(count++);
            std::memcpy(buffer, piece.data(), piece.size());
            return static_cast<int>(piece.size());
        });
    });
    if (receives != nullptr) *receives = count;
    if (raised != L"<nothing raised>") return "raised: " + std::string(raised.begin(), raised.end());
    io::ByteArrayOutputStream& body = response.GetBody();
    return body.GetBuffer() ? std::string(body.GetBuffer(), body.GetSize()) : std::string();
}

// A response of lines header lines, a "Content-Length: 2" among them, whose header block
// is padded to bytes bytes, then the body "ok"; received 4 KiB at a time.
std::string ReadHeaderBlockOf(int lines, int bytes) {
    std::string block = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n";
    for (int i = 1; i < lines; ++i) block += "X: " + std::to_string(i) + "\r\n";
    block += "P: ";
    block += std::string(bytes - block.size() - 4, 'p') + "\r\n\r\n";
    block += "ok";
    return ReadPieces([&](int k) { return k * 4096u < block.size() ? block.substr(k * 4096u, 4096) : ""; });
}

TEST(HttpMessageTest, AHeaderBlockHoldsAtMost64KiBAnd100Lines) {
    EXPECT_EQ("ok", ReadHeaderBlockOf(99, 65536));  // 99 and the padding line
    EXPECT_EQ("raised: HttpResponse::Read()\nThe header block passed 65536 bytes.", ReadHeaderBlockOf(99, 65537));
    EXPECT_EQ("raised: HttpResponse::Read()\nThe header block passed 100 lines.", ReadHeaderBlockOf(100, 4096));

    // Endless header lines, or an endless line: given up as soon as either bound passes.
    int receives = 0;
    EXPECT_EQ("raised: HttpResponse::Read()\nThe header block passed 100 lines.",
              ReadPieces([](int k) { return k == 0 ? std::string("HTTP/1.1 200 OK\r\n") : "X: y\r\n"; },
                         &receives));
    EXPECT_EQ(102, receives);
    EXPECT_EQ("raised: HttpResponse::Read()\nThe header block passed 65536 bytes.",
              ReadPieces([](int) { return std::string(1024, 'x'); }, &receives));
    EXPECT_EQ(64, receives);
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

// The code is the second blank-separated piece, with or without a reason phrase.
TEST(HttpMessageTest, TheStatusCodeIsTheSecondPieceOfTheStatusLine) {
    const struct {
        const wchar_t* line;
        uint32_t code;
    } cases[] = {{L"HTTP/1.1 200 OK", 200}, {L"HTTP/1.1 200", 200},  {L"HTTP/1.1 200 ", 200},
                 {L"HTTP/1.1 404 Not Found", 404}, {L"HTTP/1.1", 0}, {L"", 0},
                 {L"HTTP/1.1  200 OK", 0}};  // two blanks: the second piece is empty
    for (const auto& c : cases) {
        HttpResponse response;
        response.SetFirstLine(c.line);
        EXPECT_EQ(c.code, response.GetStatusCode()) << c.line;
    }
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

TEST(ChunkedBodyTest, DataEndingLikeTheLastChunkIsNotTheEndWhereverTheReceivesSplit) {
    const std::string chunks = "8\r\nabcde0\r\n\r\n5\r\nfghij\r\n0\r\n\r\n";
    for (size_t cut = 0; cut <= chunks.size(); ++cut) {
        EXPECT_EQ("abcde0\r\nfghij", ReadChunked(chunks, {cut})) << cut;
    }
}

TEST(ChunkedBodyTest, TrailerLinesEndWithAnEmptyLineAndRawKeepsEveryByte) {
    const std::string chunks = "3\r\nabc\r\n00\r\nX-Sum: 1\r\nY:\r\n\r\nafter the end";
    std::string raw;
    EXPECT_EQ("abc", ReadChunked(chunks, {}, 1, &raw));  // a byte per receive
    EXPECT_EQ(kChunkedHead + chunks.substr(0, chunks.size() - 13), raw);
    EXPECT_EQ("abc", ReadChunked(chunks, {}, 1 << 20, &raw));
    EXPECT_EQ(kChunkedHead + chunks, raw);  // the bytes after the end came in the same receive
}

TEST(ChunkedBodyTest, ABodyClosedBeforeItsEndFails) {
    for (const char* chunks : {"", "5\r", "5\r\nhel", "5\r\nhello\r\n", "5\r\nhello\r\n0\r\n",
                               "5\r\nhello\r\n0\r\n\r", "5\r\nhello\r\n0\r\nX: 1\r\n"}) {
        std::string size = std::to_string(std::strlen(chunks));
        EXPECT_EQ("raised: HttpResponse::Read()\nThe body ended after " + size + " bytes, incomplete.",
                  ReadChunked(chunks, {}));
    }
}

TEST(ChunkedBodyTest, MalformedChunksFail) {
    const std::string noSize = "raised: ChunkDecoder::Feed()\nA chunk size line holds no size.";
    const std::string noCrLf =
        "raised: ChunkDecoder::Feed()\nA line of the body ends without CR LF.";
    EXPECT_EQ(noSize, ReadChunked("\r\nabc\r\n0\r\n\r\n", {}));
    EXPECT_EQ(noSize, ReadChunked("  \r\n", {}));
    EXPECT_EQ(noSize, ReadChunked(std::string("5\0\r\n", 4), {}));
    EXPECT_EQ("raised: HexUtils::HexStringToInteger(5;x=1) = not an hex digit.",
              ReadChunked("5;x=1\r\nhello\r\n0\r\n\r\n", {}));
    EXPECT_EQ("raised: HexUtils::HexStringToInteger(100000003) does not fit 31 bits.",
              ReadChunked("100000003\r\n", {}));
    EXPECT_EQ(noCrLf, ReadChunked("3\nabc\r\n0\r\n\r\n", {}));
    EXPECT_EQ(noCrLf, ReadChunked("0\r\nX: 1\n\r\n", {}));
    EXPECT_EQ("raised: ChunkDecoder::Feed()\nThe data of a chunk is not followed by CR LF.",
              ReadChunked("3\r\nabcd\r\n0\r\n\r\n", {}));
    EXPECT_EQ("raised: ChunkDecoder::Feed()\nA line of the body passes 4096 bytes.",
              ReadChunked(std::string(5000, '0') + "1\r\na\r\n0\r\n\r\n", {}, 100));
}

}  // namespace
