// HttpResponse: an HTTP/1.1 response read whole from a socket.
#pragma once

#include "HttpMessage.h"
#include "MinimumProgress.h"

#include <functional>

namespace net {
class TCPSocket;

namespace http {

// Receives one whole response into raw, parses its header block and decodes its body
// (as it came, or from chunks) into the body stream.
class HttpResponse : public HttpMessage {
public:
    // The most a response may bring, header block included, unless set otherwise.
    static const int kDefaultSizeLimit = 256 * 1024 * 1024;

    HttpResponse() : HttpMessage(L"HttpResponse") {}

    // Reads until the body is complete: as many bytes as Content-Length gives, the
    // last chunk of a "chunked" body, the peer closing (the seventh empty read), a
    // receive error or the receive time-out. Returns the body's size. Raises, after
    // nothing or part of the response was decoded, when the response grows (or its
    // Content-Length would grow it) past the size limit, when it brings less than the
    // minimum progress before it is complete, when the reading ends before
    // Content-Length bytes or the last chunk arrived (or, without either, before the
    // peer closed), when a chunk size is not hex or does not fit, and when a chunk runs
    // past the bytes received.
    int Read(TCPSocket& socket, const MinimumProgress& progress = MinimumProgress());

    // Takes the bytes of one receive into a buffer of TCPSocket::kReceiveBufferSize
    // bytes: their count, 0 when none came, negative when no more will come.
    using Receiver = std::function<int(char* buffer)>;
    // Read's work over any source of received bytes.
    int ReadFrom(const Receiver& receive, const MinimumProgress& progress = MinimumProgress());

    int GetSizeLimit() const { return sizeLimit_; }
    void SetSizeLimit(int bytes) { sizeLimit_ = bytes; }

private:
    // Writes the chunks of a chunked body to the body stream.
    void DecodeChunks(const char* data, int size);

    int sizeLimit_ = kDefaultSizeLimit;
};

}  // namespace http
}  // namespace net
