// HttpResponse: an HTTP/1.1 response read whole from a socket.
#include "HttpResponse.h"

#include "ChunkDecoder.h"

#include "common/Exception.h"
#include "common/net/DecimalText.h"
#include "common/net/Deadline.h"
#include "common/net/TCPSocket.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace net {
namespace http {

namespace {

// Offset of the first CR LF CR LF in the bytes at or after from, or -1.
int FindHeaderEnd(const char* bytes, int size, int from) {
    for (int i = from; i + 4 <= size; ++i) {
        if (std::memcmp(bytes + i, "\r\n\r\n", 4) == 0) return i;
    }
    return -1;
}

// Counts the line ends (CR LF) that start at from up to before to - 1 and end before to.
int CountLineEnds(const char* bytes, int from, int to) {
    int count = 0;
    for (int i = from; i + 1 < to; ++i) count += bytes[i] == '\r' && bytes[i + 1] == '\n';
    return count;
}

// Counts the bytes of each span of time and raises when a span ends with too few.
class ProgressWatch {
public:
    explicit ProgressWatch(const MinimumProgress& least)
        : least_(least), spanStart_(Clock::now()) {}

    // Called after every receive, with the bytes it brought, and after every wait
    // that brought none.
    void Count(int bytes) {
        spanBytes_ += bytes;
        Clock::time_point now = Clock::now();
        if (now - spanStart_ < std::chrono::milliseconds(least_.milliseconds)) return;
        if (spanBytes_ < least_.bytes) {
            throw new Exception(L"HttpResponse::Read()\nOnly %d bytes came in %d ms; at least %d must.",
                                spanBytes_, least_.milliseconds, least_.bytes);
        }
        spanStart_ = now;
        spanBytes_ = 0;
    }

private:
    using Clock = std::chrono::steady_clock;
    MinimumProgress least_;
    Clock::time_point spanStart_;
    int spanBytes_ = 0;
};

}  // namespace

int HttpResponse::Read(TCPSocket& socket, const ReadLimits& limits) {
    return ReadFrom([&socket](char* buffer, int wait) { return socket.Receive(buffer, wait); },
                    limits);
}

void HttpResponse::ReadHeaderBlock(TCPSocket& socket, const ReadLimits& limits) {
    headerOnly_ = true;
    Read(socket, limits);
}

uint32_t HttpResponse::GetStatusCode() const {
    std::unique_ptr<String[]> pieces;
    int count = 0;
    if (!GetFirstLine().Split(L" ", pieces, count) || count < 2) return 0;
    return static_cast<uint32_t>(ReadDecimal(pieces[1].GetText()));
}

int HttpResponse::ParseHeaderBlock(int end, bool& chunked) {
    String header;
    header.SetAnsi(std::string(GetRaw().GetBuffer(), end + 2).c_str());
    ParseHeaders(header.GetText());
    const wchar_t* coding = GetHeader(L"Transfer-Encoding");
    chunked = coding != nullptr && std::wcscmp(coding, L"chunked") == 0;
    // Without a length (or with chunks) the body ends at the peer's close or the end
    // of the chunks, never at the end of the header block: a body sent after its
    // header block would be lost.
    const wchar_t* length = GetHeader(L"Content-Length");
    return length != nullptr && !chunked ? ReadDecimal(length) : -1;
}

int HttpResponse::ReadFrom(const Receiver& receive, const ReadLimits& limits) {
    std::vector<char> buffer(TCPSocket::kReceiveBufferSize);
    io::ByteArrayOutputStream& raw = GetRaw();
    ChunkDecoder chunks(GetBody());
    Deadline deadline = limits.deadline;
    int expected = -1;
    int headerLength = 0;
    bool headerSeen = false;
    int headerLineEnds = 0;  // in the header block so far, the status line's included
    int lineScan = 0;        // where the count of line ends goes on
    bool chunked = false;
    bool complete = false;
    bool closed = false;
    ProgressWatch watch(limits.progress);
    Deadline::Clock::time_point lastBytes = Deadline::Clock::now();
    // Tells the listener the body bytes so far; its false cancels the reading.
    auto tell = [&] {
        if (!limits.listener) return;
        int received = !headerSeen ? 0
                       : chunked   ? GetBody().GetSize()
                                   : raw.GetSize() - headerLength;
        if (!limits.listener(received, expected)) {
            throw new Exception(L"HttpResponse::Read()\nCancelled after %d bytes.", raw.GetSize());
        }
    };
    for (;;) {
        if (deadline.HasPassed()) {
            throw new Exception(L"HttpResponse::Read()\nThe time limit passed after %d bytes.",
                                raw.GetSize());
        }
        Deadline stallEnd;
        if (limits.stallMilliseconds > 0) {
            stallEnd = Deadline(lastBytes + std::chrono::milliseconds(limits.stallMilliseconds));
            if (stallEnd.HasPassed()) break;
        }
        // Each wait ends at the nearest bound, so that none is overshot by a wait.
        Deadline waitEnd = deadline.Sooner(stallEnd).Sooner(
            Deadline::In(limits.listener ? ReadLimits::kListenerIntervalMilliseconds : 0));
        int n = receive(buffer.data(), waitEnd.IsSet() ? waitEnd.MillisecondsLeft() : -1);
        if (n == kReceiveTimedOut && waitEnd.IsSet()) {
            watch.Count(0);
            tell();
            continue;
        }
        if (n < 0) break;
        if (n == 0) {
            closed = true;
            break;
        }
        lastBytes = Deadline::Clock::now();
        if (n > sizeLimit_ - raw.GetSize()) {
            throw new Exception(L"HttpResponse::Read()\nThe response passed %d bytes.", sizeLimit_);
        }
        int before = raw.GetSize();
        raw.Write(buffer.data(), n);
        if (!headerSeen) {
            // The end of the header block may span two receives.
            int end = FindHeaderEnd(raw.GetBuffer(), raw.GetSize(), before > 3 ? before - 3 : 0);
            int blockEnd = end >= 0 ? end + 2 : raw.GetSize();  // up to its last line's CR LF
            headerLineEnds += CountLineEnds(raw.GetBuffer(), lineScan, blockEnd);
            lineScan = std::max(lineScan, blockEnd - 1);
            if (headerLineEnds - 1 > kMaxHeaderLines) {
                throw new Exception(L"HttpResponse::Read()\nThe header block passed %d lines.", kMaxHeaderLines);
            }
            // Without its end so far, the block could now end only past the limit.
            if (end < 0 ? raw.GetSize() >= kMaxHeaderBytes : end + 4 > kMaxHeaderBytes) {
                throw new Exception(L"HttpResponse::Read()\nThe header block passed %d bytes.", kMaxHeaderBytes);
            }
            if (end >= 0) {
                headerLength = end + 4;
                expected = ParseHeaderBlock(end, chunked);
                headerSeen = true;
                if (expected > sizeLimit_ - headerLength) {
                    throw new Exception(L"HttpResponse::Read()\nA body of %d bytes would pass %d bytes.",
                                        expected, sizeLimit_);
                }
                if (expected > 0 && limits.bytesPerSecond > 0) {
                    deadline.Extend(int64_t{expected} * 1000 / limits.bytesPerSecond);
                }
            }
        }
        if (headerSeen) {
            int bodyStart = std::max(before, headerLength);  // the body bytes of this receive
            if (chunked) chunks.Feed(raw.GetBuffer() + bodyStart, raw.GetSize() - bodyStart);
            complete = headerOnly_ ? true
                       : chunked   ? chunks.IsComplete()
                                   : expected >= 0 && raw.GetSize() - headerLength >= expected;
        }
        tell();
        if (complete) break;
        watch.Count(n);
    }
    int bodySize = raw.GetSize() - headerLength;
    // A body cut short of its length or its last chunk (the peer closed or went quiet),
    // or one that ends only with the close when the close never came, is not delivered
    // as if it were whole.
    if (!complete && (chunked || bodySize < expected || (expected < 0 && !closed))) {
        throw new Exception(L"HttpResponse::Read()\nThe body ended after %d bytes, incomplete.",
                            bodySize);
    }
    if (!chunked && !headerOnly_ && raw.GetBuffer() != nullptr) {
        GetBody().Write(raw.GetBuffer() + headerLength, expected >= 0 ? expected : bodySize);
    }
    return GetBody().GetSize();
}

}  // namespace http
}  // namespace net
