// TCPSocket: one IPv4 or IPv6 TCP stream socket, blocking, with a receive time-out.
#include "TCPSocket.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"

namespace net {

TCPSocket::TCPSocket(const wchar_t* className) : Object(className) {}

TCPSocket::~TCPSocket() { CloseQuietly(); }

void TCPSocket::CreateSocket(SocketAddress::Family family) {
    CloseQuietly();
    handle_ = socketapi::OpenTcp(family);
    if (handle_ == kInvalidSocket) {
        throw new Exception(L"%s::CreateSocket()\nError at function socket()\n%s", GetName(),
                            GetLastErrorText());
    }
    if (recvTimeOut_ > 0) SetRecvTimeOut(recvTimeOut_);
}

void TCPSocket::Close() {
    if (!HasSocket()) return;
    if (socketapi::Close(handle_) != 0) {
        throw new Exception(L"TCPServer::Close() - closesocket() failed. %s", GetLastErrorText());
    }
    handle_ = 0;
}

void TCPSocket::CloseQuietly() {
    if (HasSocket()) socketapi::Close(handle_);
    handle_ = 0;
}

void TCPSocket::SetRecvTimeOut(int milliseconds) {
    recvTimeOut_ = milliseconds;
    if (!HasSocket()) return;
    if (socketapi::SetReceiveTimeOut(handle_, milliseconds) != 0) {
        throw new Exception(L"TCPServer::SetRecvTimeOut() - setsockopt() failed. %s",
                            GetLastErrorText());
    }
}

int TCPSocket::Receive(char* buffer, int waitMilliseconds) {
    return socketapi::Receive(handle_, buffer, kReceiveBufferSize, waitMilliseconds);
}

int TCPSocket::Send(const void* data, int count) { return socketapi::Send(handle_, data, count); }

}  // namespace net
