// UsesWinsock: the scope in which the sockets library may be used.
#include "UsesWinsock.h"

#include "SocketApi.h"

namespace net {

UsesWinsock::UsesWinsock() : Object(L"UsesWinsock") { socketapi::Start(); }

UsesWinsock::~UsesWinsock() { socketapi::Stop(); }

}  // namespace net
