// TCPClient: a TCP socket that knows the host and port it talks to.
#pragma once

#include "Deadline.h"
#include "TCPSocket.h"

#include "common/String.h"

namespace net {

// Resolves its host (IPv4, first address) and connects to its port, on a new socket
// when the last one was closed. One client serves several requests one after another,
// each on a fresh socket.
class TCPClient : public TCPSocket {
public:
    explicit TCPClient(const wchar_t* className = L"TCPClient") : TCPSocket(className) {}

    // Raises "%s::Connect() %s could not be resolved" when the host has no address or
    // the lookup did not answer in time, and "%s::Connect() - while connecting to
    // %s:%d : %s" when the connection fails or is not made in time. In time: the
    // lookup and the connection each wait at most the receive time-out (when set) and
    // never past the deadline (when set).
    void Connect(const Deadline& deadline = Deadline());

    const String& GetHost() const { return host_; }
    void SetHost(const wchar_t* host) { host_.Set(host); }
    // -1 until a request has set it.
    int GetPort() const { return port_; }
    void SetPort(int port) { port_ = port; }

private:
    // When one wait of Connect must end: the deadline or the receive time-out from
    // now, whichever comes first.
    Deadline WaitEnd(const Deadline& deadline) const;

    String host_;
    int port_ = -1;
};

}  // namespace net
