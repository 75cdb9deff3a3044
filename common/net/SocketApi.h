// SocketApi: the few socket calls the network classes make, one file per platform.
#pragma once

#include "SocketAddress.h"

#include <cstdint>
#include <vector>

struct sockaddr_storage;

namespace net {

// The platform's socket: a Windows Sockets SOCKET, or a POSIX descriptor. 0 stands
// for no socket, and so does kInvalidSocket, the platform's all-bits-set value.
#ifdef _WIN32
using SocketHandle = uintptr_t;
#else
using SocketHandle = int;
#endif
const SocketHandle kInvalidSocket = static_cast<SocketHandle>(-1);

// What a receive returns when its wait ended with nothing to read: neither a count,
// nor the peer's close (0), nor an error (-1).
const int kReceiveTimedOut = -2;

// Thin wrappers over the system's calls (SocketApi_win32.cpp, SocketApi_posix.cpp).
// Failures leave the system's error for GetLastErrorText.
namespace socketapi {

// WSAStartup(2.2) and WSACleanup; nothing on POSIX.
void Start();
void Stop();

// socket(AF_INET or AF_INET6, SOCK_STREAM, IPPROTO_TCP); kInvalidSocket on failure.
SocketHandle OpenTcp(SocketAddress::Family family);
// closesocket / close: 0 on success.
int Close(SocketHandle handle);
// SO_RCVTIMEO in milliseconds: 0 on success.
int SetReceiveTimeOut(SocketHandle handle, int milliseconds);
// The IPv4 and IPv6 addresses of the host (a UTF-8 name, or an IPv6 literal in
// brackets, "[::1]", which is never looked up as a name), in the order getaddrinfo
// gives them; false, with addresses empty, when it has none. It may block for as long
// as the system's lookup takes (see ResolveWithin) and is safe on any thread.
// Portable: SocketApi.cpp.
bool Resolve(const char* host, std::vector<SocketAddress>& addresses);
// Fills the system's form of the address and port; its length in bytes.
int ToSystemAddress(const SocketAddress& address, uint16_t port, sockaddr_storage& system);
// Connects a socket of the address's family to the address and port. A positive
// time-out bounds the wait for the connection (the error is then the system's
// time-out); 0 leaves the wait to the system. False on failure.
bool Connect(SocketHandle handle, const SocketAddress& address, uint16_t port, int timeOutMilliseconds);
// One send, flags 0, with the system's result (-1 on error). A peer that has gone
// raises no signal.
int Send(SocketHandle handle, const void* data, int count);
// One recv, flags 0, after waiting at most waitMilliseconds for something to read
// when that is not negative: the bytes received, 0 when the peer has closed, -1 on an
// error, kReceiveTimedOut when the wait or the socket's receive time-out ended first.
int Receive(SocketHandle handle, void* buffer, int count, int waitMilliseconds);

}  // namespace socketapi
}  // namespace net
