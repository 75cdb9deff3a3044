// TCPClient: a TCP socket that knows the host and port it talks to.
#include "TCPClient.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"

#include <vector>

namespace net {

void TCPClient::Connect(const Deadline& deadline) {
    std::vector<SocketAddress> addresses;
    const char* name = host_.ToUtf8();
    if (name == nullptr || !ResolveWithin(name, addresses, WaitEnd(deadline), resolve_)) {
        throw new Exception(L"%s::Connect() %s could not be resolved", GetName(), host_);
    }
    // A peer that never completes the connection must not hold the caller for the
    // system's own connect time-out; all the attempts share this one bound.
    Deadline connectBy = WaitEnd(deadline);
    bool tried = false;
    for (const SocketAddress& address : addresses) {
        if (tried && connectBy.HasPassed()) break;
        try {
            CreateSocket(address.family);
        } catch (Exception* e) {
            delete e;  // this family may not be available here: the next address may be
            continue;
        }
        tried = true;
        if (socketapi::Connect(handle_, address, static_cast<uint16_t>(port_),
                               connectBy.IsSet() ? connectBy.MillisecondsLeft() : 0)) {
            return;
        }
    }
    throw new Exception(L"%s::Connect() - while connecting to %s:%d : %s", GetName(), host_, port_,
                        GetLastErrorText());
}

Deadline TCPClient::WaitEnd(const Deadline& deadline) const {
    return deadline.Sooner(Deadline::In(GetRecvTimeOut()));
}

}  // namespace net
