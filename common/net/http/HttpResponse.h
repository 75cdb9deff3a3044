// HttpResponse: an HTTP/1.1 response read whole from a socket.
#pragma once

#include "HttpMessage.h"
#include "ReadLimits.h"

#include "common/net/SocketApi.h"

#include <cstdint>
#include <functional>

namespace net {
class TCPSocket;

namespace http {

// Receives one whole response into raw, parses its header block and decodes its body
// (as it came, or from chunks as they arrive) into the body stream.
class HttpResponse : public HttpMessage {
public:
    // The most a response may bring, header block included, unless set otherwise.
    static const int kDefaultSizeLimit = 256 * 1024 * 1024;
    // The most a header block may hold, whatever the size limit: bytes, its closing
    // empty line included, and header lines after the status line.
    static constexpr int kMaxHeaderBytes = 64 * 1024;
    static constexpr int kMaxHeaderLines = 100;

    HttpResponse() : HttpMessage(L"HttpResponse") {}

    // Reads until the body is complete: as many bytes as Content-Length gives (any
    // more are not part of the body), the empty line after the last chunk and its
    // trailer of a "chunked" body, or the peer closing; or until a receive error, a
    // receive time-out or limits' stall bound. Returns the body's size. Raises, after
    // nothing or part of the response was decoded, when the response grows (or its
    // Content-Length would grow it) past the size limit, as soon as its header block
    // passes kMaxHeaderBytes or kMaxHeaderLines, when it brings less than the
    // minimum progress before it is complete, when limits' deadline passes or its
    // listener returns false, when the reading ends before Content-Length bytes or the
    // end of the chunks arrived (or, without either, before the peer closed), and when
    // the chunks break their form (see ChunkDecoder).
    int Read(TCPSocket& socket, const ReadLimits& limits = ReadLimits());

    // Reads an answer that has no body, a proxy's answer to CONNECT: up to the end of
    // its header block, within the same bounds as Read.
    void ReadHeaderBlock(TCPSocket& socket, const ReadLimits& limits);

    // Takes the bytes of one receive into a buffer of TCPSocket::kReceiveBufferSize
    // bytes, waiting at most waitMilliseconds for them when that is not negative (else
    // as long as the source itself waits): their count, 0 when the peer has closed,
    // kReceiveTimedOut when the wait ended with nothing, -1 when no more will come.
    // A kReceiveTimedOut after a wait without bound ends the reading like -1.
    using Receiver = std::function<int(char* buffer, int waitMilliseconds)>;
    // Read's work over any source of received bytes.
    int ReadFrom(const Receiver& receive, const ReadLimits& limits = ReadLimits());

    // The code of the status line: the decimal number that its second blank-separated
    // piece begins with (blanks and a sign before it allowed), so 'HTTP/1.1 200 OK',
    // 'HTTP/1.1 200' and 'HTTP/1.1 200 ' all give 200; 0 without a second piece.
    uint32_t GetStatusCode() const;

    int GetSizeLimit() const { return sizeLimit_; }
    void SetSizeLimit(int bytes) { sizeLimit_ = bytes; }

private:
    // Parses the header block whose last CR LF starts at offset end of raw. Returns the
    // announced body length (-1 when none, and for a chunked body, which chunked tells).
    int ParseHeaderBlock(int end, bool& chunked);

    int sizeLimit_ = kDefaultSizeLimit;
    bool headerOnly_ = false;  // the answer ends with its header block
};

}  // namespace http
}  // namespace net
