// SocketApi: POSIX sockets. Nothing needs starting; errors are errno, which
// GetLastErrorText reads.
#include "SocketApi.h"

#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace net {
namespace socketapi {

void Start() {}

void Stop() {}

SocketHandle OpenTcp(SocketAddress::Family family) {
    int domain = family == SocketAddress::Family::IPv6 ? AF_INET6 : AF_INET;
    return socket(domain, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
}

int Close(SocketHandle handle) { return close(handle); }

int SetReceiveTimeOut(SocketHandle handle, int milliseconds) {
    timeval value = {milliseconds / 1000, (milliseconds % 1000) * 1000};
    return setsockopt(handle, SOL_SOCKET, SO_RCVTIMEO, &value, sizeof value);
}

bool Connect(SocketHandle handle, const SocketAddress& address, uint16_t port, int timeOutMilliseconds) {
    sockaddr_storage peer;
    socklen_t length = static_cast<socklen_t>(ToSystemAddress(address, port, peer));
    const sockaddr* target = reinterpret_cast<const sockaddr*>(&peer);
    if (timeOutMilliseconds <= 0) return connect(handle, target, length) == 0;

    // Connect without blocking, wait for the outcome at most the time-out, then make
    // the socket blocking again.
    int flags = fcntl(handle, F_GETFL);
    if (flags < 0 || fcntl(handle, F_SETFL, flags | O_NONBLOCK) < 0) return false;
    bool connected = connect(handle, target, length) == 0;
    int error = connected ? 0 : errno;
    if (!connected && error == EINPROGRESS) {
        pollfd wait = {handle, POLLOUT, 0};
        int ready;
        do {
            ready = poll(&wait, 1, timeOutMilliseconds);
        } while (ready < 0 && errno == EINTR);
        if (ready == 0) {
            error = ETIMEDOUT;
        } else if (ready < 0) {
            error = errno;
        } else {
            socklen_t length = sizeof error;
            if (getsockopt(handle, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
            connected = error == 0;
        }
    }
    fcntl(handle, F_SETFL, flags);
    errno = error;
    return connected;
}

int Send(SocketHandle handle, const void* data, int count) {
    return static_cast<int>(send(handle, data, count, MSG_NOSIGNAL));
}

int Receive(SocketHandle handle, void* buffer, int count, int waitMilliseconds) {
    if (waitMilliseconds >= 0) {
        pollfd wait = {handle, POLLIN, 0};
        int ready;
        do {
            ready = poll(&wait, 1, waitMilliseconds);
        } while (ready < 0 && errno == EINTR);
        if (ready == 0) return kReceiveTimedOut;
        if (ready < 0) return -1;
    }
    int received = static_cast<int>(recv(handle, buffer, count, 0));
    return received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? kReceiveTimedOut : received;
}

}  // namespace socketapi
}  // namespace net
