// HttpResponse: an HTTP/1.1 response read whole from a socket.
#include "HttpResponse.h"

#include "HexUtils.h"

#include "common/Exception.h"
#include "common/net/DecimalText.h"
#include "common/net/TCPSocket.h"

#include <chrono>
#include <cstring>
#include <cwchar>
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

bool EndsWith(const char* bytes, int size, const char* end) {
    int length = static_cast<int>(std::strlen(end));
    return size >= length && std::memcmp(bytes + size - length, end, length) == 0;
}

// Counts the bytes of each span of time and raises when a span ends with too few.
class ProgressWatch {
public:
    explicit ProgressWatch(const MinimumProgress& least)
        : least_(least), spanStart_(Clock::now()) {}

    // Called after every receive, with the bytes it brought.
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

int HttpResponse::Read(TCPSocket& socket, const MinimumProgress& progress) {
    return ReadFrom([&socket](char* buffer) { return socket.Receive(buffer); }, progress);
}

int HttpResponse::ReadFrom(const Receiver& receive, const MinimumProgress& progress) {
    std::vector<char> buffer(TCPSocket::kReceiveBufferSize);
    io::ByteArrayOutputStream& raw = GetRaw();
    int expected = -1;
    int emptyReads = 0;
    int headerLength = 0;
    bool headerSeen = false;
    bool chunked = false;
    bool complete = false;
    bool closed = false;
    ProgressWatch watch(progress);
    for (;;) {
        int n = receive(buffer.data());
        if (n < 0) break;
        if (n == 0) {
            closed = emptyReads > 5;
            if (closed) break;
            ++emptyReads;
            watch.Count(0);
            continue;
        }
        if (n > sizeLimit_ - raw.GetSize()) {
            throw new Exception(L"HttpResponse::Read()\nThe response passed %d bytes.", sizeLimit_);
        }
        int searchFrom = raw.GetSize() > 3 ? raw.GetSize() - 3 : 0;  // the end may span two reads
        raw.Write(buffer.data(), n);
        if (!headerSeen) {
            int end = FindHeaderEnd(raw.GetBuffer(), raw.GetSize(), searchFrom);
            if (end >= 0) {
                headerLength = end + 4;
                String header;
                header.SetAnsi(std::string(raw.GetBuffer(), end + 2).c_str());
                ParseHeaders(header.GetText());
                const wchar_t* coding = GetHeader(L"Transfer-Encoding");
                chunked = coding != nullptr && std::wcscmp(coding, L"chunked") == 0;
                // Without a length (or with chunks) the body ends at the peer's close
                // or the last chunk, never at the end of the header block: a body sent
                // after its header block would be lost.
                const wchar_t* length = GetHeader(L"Content-Length");
                expected = length != nullptr && !chunked ? ReadDecimal(length) : -1;
                headerSeen = true;
                if (expected > sizeLimit_ - headerLength) {
                    throw new Exception(L"HttpResponse::Read()\nA body of %d bytes would pass %d bytes.",
                                        expected, sizeLimit_);
                }
            }
        }
        // The last chunk is looked for in the body only: a header block whose last
        // value ends in '0' ends with the same bytes.
        int bodySize = raw.GetSize() - headerLength;
        complete = chunked ? EndsWith(raw.GetBuffer() + headerLength, bodySize, "0\r\n\r\n")
                           : bodySize == expected;
        if (complete) break;
        watch.Count(n);
    }
    const char* body = raw.GetBuffer() ? raw.GetBuffer() + headerLength : nullptr;
    int bodySize = raw.GetSize() - headerLength;
    // A body cut short of its length or its last chunk (the peer closed or went quiet),
    // or one that ends only with the close when the close never came, is not delivered
    // as if it were whole.
    if (!complete && (chunked || bodySize < expected || (expected < 0 && !closed))) {
        throw new Exception(L"HttpResponse::Read()\nThe body ended after %d bytes, incomplete.",
                            bodySize);
    }
    if (chunked) {
        DecodeChunks(body, bodySize);
    } else {
        GetBody().Write(body, bodySize);
    }
    return GetBody().GetSize();
}

void HttpResponse::DecodeChunks(const char* data, int size) {
    int position = 0;
    while (position < size) {
        const char* lineEnd = nullptr;
        for (int i = position; i + 1 < size; ++i) {
            if (data[i] == '\r' && data[i + 1] == '\n') {
                lineEnd = data + i;
                break;
            }
        }
        if (lineEnd == nullptr) return;
        std::string sizeLine(data + position, lineEnd);
        int chunkSize = HexUtils::HexStringToInteger(sizeLine.c_str());
        int dataStart = static_cast<int>(lineEnd - data) + 2;
        // Never past the bytes received: a size that runs beyond them ends the read.
        if (chunkSize > size - dataStart) {
            throw new Exception(
                L"HttpResponse::Read()\nA chunk of %d bytes runs past the %d bytes received.",
                chunkSize, size - dataStart);
        }
        if (chunkSize > 0) GetBody().Write(data + dataStart, chunkSize);
        position = dataStart + chunkSize + 2;
    }
}

}  // namespace http
}  // namespace net
