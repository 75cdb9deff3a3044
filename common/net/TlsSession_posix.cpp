// TlsSession: this build has no TLS of the platform's, so every handshake is refused.
#include "TlsSession.h"

#include "common/CatalogueText.h"
#include "common/Exception.h"

namespace net {

struct TlsSession::State {};

TlsSession::TlsSession(TCPSocket& socket, const wchar_t* host) : Object(L"TlsSession"), socket_(socket), host_(host) {}

TlsSession::~TlsSession() = default;

void TlsSession::Handshake(const Deadline&, int) {
    throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNotBuilt));
}

void TlsSession::Send(const void*, int) { throw new Exception(L"%s", CatalogueText(TextId::kNetTlsNoSession)); }

int TlsSession::Receive(char*, int) { return -1; }

}  // namespace net
