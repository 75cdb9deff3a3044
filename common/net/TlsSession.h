// TlsSession: a TLS client connection over a connected socket, through the platform's TLS.
#pragma once

#include "Deadline.h"
#include "TCPSocket.h"

#include "common/Object.h"
#include "common/String.h"

#include <memory>

namespace net {

// Speaks TLS 1.2 or newer with the server at the other end of a connected socket, which
// must outlive the session: the handshake, the check of the server's certificate chain
// against the system's trusted roots and of the host name it must carry, then records
// both ways. Windows: Schannel through SSPI (TlsSession_win32.cpp); elsewhere there is
// no TLS, and Handshake refuses (TlsSession_posix.cpp). Failures raise an Exception whose
// text is a phrase for the user ("the server's certificate has expired").
class TlsSession final : public Object {
public:
    // host: the name the server's certificate must carry (an IPv6 literal keeps its
    // brackets). Copied.
    TlsSession(TCPSocket& socket, const wchar_t* host);
    ~TlsSession();
    TlsSession(const TlsSession&) = delete;
    TlsSession& operator=(const TlsSession&) = delete;

    // Agrees on the connection and checks the server's certificate. Every wait ends at
    // the deadline (when set) and after stallMilliseconds without a byte (when above 0);
    // the server's records are bounded in size. Raises when the server is not who the
    // host names, offers nothing at or above TLS 1.2, answers with something else than
    // TLS, or does not finish in time.
    void Handshake(const Deadline& deadline, int stallMilliseconds);
    // Encrypts the bytes and sends them all; raises when the socket fails.
    void Send(const void* data, int count);
    // As TCPSocket::Receive, of the decrypted bytes: their count (at most
    // TCPSocket::kReceiveBufferSize), 0 when the server has closed the connection or
    // ended the session, -1 on an error or a record that does not decrypt,
    // kReceiveTimedOut when the wait ended first.
    int Receive(char* buffer, int waitMilliseconds);

    const String& GetHost() const { return host_; }

private:
    struct State;  // the platform's handles and buffers

    [[maybe_unused]] TCPSocket& socket_;  // unused where the platform has no TLS
    String host_;
    std::unique_ptr<State> state_;
};

}  // namespace net
