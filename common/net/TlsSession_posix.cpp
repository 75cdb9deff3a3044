// TlsSession: this build has no TLS of the platform's, so every handshake is refused.
#include "TlsSession.h"

#include "common/Exception.h"

namespace net {

struct TlsSession::State {};

TlsSession::TlsSession(TCPSocket& socket, const wchar_t* host) : Object(L"TlsSession"), socket_(socket), host_(host) {}

TlsSession::~TlsSession() = default;

void TlsSession::Handshake(const Deadline&, int) {
    throw new Exception(L"secure connections (https) are not available in this build");
}

void TlsSession::Send(const void*, int) { throw new Exception(L"no secure connection"); }

int TlsSession::Receive(char*, int) { return -1; }

}  // namespace net
