// TCPSocket: one IPv4 or IPv6 TCP stream socket, blocking, with a receive time-out.
#pragma once

#include "SocketApi.h"

#include "common/Object.h"

namespace net {

// Owns at most one socket at a time. Every operation blocks the calling thread. The
// receive time-out is remembered: it is set on the socket that exists when it is
// given and on every socket created afterwards, and it also bounds looking up the
// host and connecting (see TCPClient). Errors print the class name of the whole
// object (e.g. "HttpClient").
class TCPSocket : public Object {
public:
    // The most Receive takes in one call; its buffer holds at least this many bytes.
    static const int kReceiveBufferSize = 61440;

    explicit TCPSocket(const wchar_t* className = L"TCPSocket");
    // Closes the socket; a failure to close is not reported from here.
    ~TCPSocket();
    TCPSocket(const TCPSocket&) = delete;
    TCPSocket& operator=(const TCPSocket&) = delete;

    // Makes a new socket of the family (closing one still held) and sets the
    // remembered receive time-out on it. Raises "%s::CreateSocket()" when the system
    // refuses.
    void CreateSocket(SocketAddress::Family family = SocketAddress::Family::IPv4);
    // Closes the socket; nothing happens when there is none. Raises when the system
    // fails to close it, and the handle then keeps its value.
    void Close();
    // Remembers the receive time-out (milliseconds, 0 for none) and sets it on the
    // current socket, if there is one. Raises when the system refuses it.
    void SetRecvTimeOut(int milliseconds);
    int GetRecvTimeOut() const { return recvTimeOut_; }

    // One recv of up to kReceiveBufferSize bytes into buffer, after waiting at most
    // waitMilliseconds for something to read when that is not negative: the bytes
    // received, 0 when the peer has closed, -1 on an error, kReceiveTimedOut when the
    // wait or the receive time-out ended first.
    int Receive(char* buffer, int waitMilliseconds = -1);
    // One send of the bytes, with the system's result; a partial send is not continued.
    int Send(const void* data, int count);

    SocketHandle GetHandle() const { return handle_; }
    bool HasSocket() const { return handle_ != 0 && handle_ != kInvalidSocket; }

protected:
    // Close for paths that must not raise: the socket is let go whatever the system
    // says.
    void CloseQuietly();

    SocketHandle handle_ = 0;

private:
    int recvTimeOut_ = 0;
};

}  // namespace net
