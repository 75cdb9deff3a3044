// TCPClient: a TCP socket that knows the host and port it talks to.
#pragma once

#include "Deadline.h"
#include "ResolveWithin.h"
#include "TCPSocket.h"

#include "common/String.h"

#include <utility>

namespace net {

// Resolves its host (a name, an IPv4 address or an IPv6 literal in brackets) to its
// IPv4 and IPv6 addresses and connects to its port at the first of them, in the order
// the lookup gives, that takes the connection. Connect makes every socket: each attempt
// on a new one of that address's family, closing one still held. One client serves
// several requests one after another, each on a fresh socket.
class TCPClient : public TCPSocket {
public:
    explicit TCPClient(const wchar_t* className = L"TCPClient") : TCPSocket(className) {}

    // Raises "%s::Connect() %s could not be resolved" when the host has no address or
    // the lookup did not answer in time, and "%s::Connect() - while connecting to
    // %s:%d : %s" (with the system's text of the last attempt) when no address takes
    // the connection in time. In time: the lookup, and the connection attempts all
    // together, each wait at most the receive time-out (when set) and never past the
    // deadline (when set); an attempt that fails leaves the time left to the next.
    void Connect(const Deadline& deadline = Deadline());

    const String& GetHost() const { return host_; }
    void SetHost(const wchar_t* host) { host_.Set(host); }
    // -1 until a request has set it.
    int GetPort() const { return port_; }
    void SetPort(int port) { port_ = port; }
    // How host names are looked up: socketapi::Resolve unless set (tests give names
    // addresses of their choice).
    void SetResolver(Resolver resolver) { resolve_ = std::move(resolver); }

private:
    // When one wait of Connect must end: the deadline or the receive time-out from
    // now, whichever comes first.
    Deadline WaitEnd(const Deadline& deadline) const;

    String host_;
    int port_ = -1;
    Resolver resolve_ = socketapi::Resolve;
};

}  // namespace net
