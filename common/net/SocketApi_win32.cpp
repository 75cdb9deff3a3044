// SocketApi: Windows Sockets 2 (ws2_32). Its errors are the thread's last error, which
// GetLastErrorText reads.
#include "SocketApi.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace net {
namespace socketapi {

void Start() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

void Stop() { WSACleanup(); }

SocketHandle OpenTcp(SocketAddress::Family family) {
    return socket(family == SocketAddress::Family::IPv6 ? AF_INET6 : AF_INET, SOCK_STREAM, IPPROTO_TCP);
}

int Close(SocketHandle handle) { return closesocket(handle); }

int SetReceiveTimeOut(SocketHandle handle, int milliseconds) {
    // A 32-bit millisecond count at the start of an 8-byte option buffer.
    char option[8] = {};
    DWORD value = static_cast<DWORD>(milliseconds);
    memcpy(option, &value, sizeof value);
    return setsockopt(handle, SOL_SOCKET, SO_RCVTIMEO, option, sizeof option);
}

bool Connect(SocketHandle handle, const SocketAddress& address, uint16_t port, int timeOutMilliseconds) {
    sockaddr_storage peer;
    int length = ToSystemAddress(address, port, peer);
    const sockaddr* target = reinterpret_cast<const sockaddr*>(&peer);
    if (timeOutMilliseconds <= 0) return connect(handle, target, length) == 0;

    // Connect without blocking, wait for the outcome at most the time-out, then make
    // the socket blocking again.
    u_long nonBlocking = 1;
    if (ioctlsocket(handle, FIONBIO, &nonBlocking) != 0) return false;
    bool connected = connect(handle, target, length) == 0;
    int error = connected ? 0 : WSAGetLastError();
    if (!connected && error == WSAEWOULDBLOCK) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(handle, &writable);
        FD_SET(handle, &failed);
        timeval wait = {timeOutMilliseconds / 1000, (timeOutMilliseconds % 1000) * 1000};
        int ready = select(0, nullptr, &writable, &failed, &wait);
        if (ready == 0) {
            error = WSAETIMEDOUT;
        } else if (ready < 0) {
            error = WSAGetLastError();
        } else {
            int socketError = 0;
            int length = sizeof socketError;
            getsockopt(handle, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&socketError),
                       &length);
            error = FD_ISSET(handle, &failed) && socketError == 0 ? WSAECONNREFUSED : socketError;
            connected = error == 0;
        }
    }
    u_long blocking = 0;
    ioctlsocket(handle, FIONBIO, &blocking);
    WSASetLastError(error);
    return connected;
}

int Send(SocketHandle handle, const void* data, int count) {
    return send(handle, static_cast<const char*>(data), count, 0);
}

int Receive(SocketHandle handle, void* buffer, int count, int waitMilliseconds) {
    // Waiting in select rather than on a short receive time-out: after a receive that
    // timed out Windows leaves the connection in an undefined state.
    if (waitMilliseconds >= 0) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(handle, &readable);
        timeval wait = {waitMilliseconds / 1000, (waitMilliseconds % 1000) * 1000};
        int ready = select(0, &readable, nullptr, nullptr, &wait);
        if (ready == 0) return kReceiveTimedOut;
        if (ready < 0) return -1;
    }
    int received = recv(handle, static_cast<char*>(buffer), count, 0);
    return received < 0 && WSAGetLastError() == WSAETIMEDOUT ? kReceiveTimedOut : received;
}

}  // namespace socketapi
}  // namespace net
