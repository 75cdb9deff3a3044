// TCPClient: a TCP socket that knows the host and port it talks to.
#pragma once

#include "TCPSocket.h"

#include "common/String.h"

namespace net {

// Resolves its host (IPv4, first address) and connects to its port, on a new socket
// when the last one was closed. One client serves several requests one after another,
// each on a fresh socket.
class TCPClient : public TCPSocket {
public:
    explicit TCPClient(const wchar_t* className = L"TCPClient") : TCPSocket(className) {}

    // Raises "%s::Connect() %s could not be resolved" when the host has no address, and
    // "%s::Connect() - while connecting to %s:%d : %s" when the connection fails or,
    // with a receive time-out set, is not made within that time.
    void Connect();

    const String& GetHost() const { return host_; }
    void SetHost(const wchar_t* host) { host_.Set(host); }
    // -1 until a request has set it.
    int GetPort() const { return port_; }
    void SetPort(int port) { port_ = port; }

private:
    String host_;
    int port_ = -1;
};

}  // namespace net
