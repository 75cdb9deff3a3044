// TCPClient: a TCP socket that knows the host and port it talks to.
#include "TCPClient.h"

#include "ResolveWithin.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"

namespace net {

void TCPClient::Connect(const Deadline& deadline) {
    uint32_t address = 0;
    const char* name = host_.ToUtf8();
    if (name == nullptr ||
        !ResolveWithin(name, address, WaitEnd(deadline), socketapi::Resolve)) {
        throw new Exception(L"%s::Connect() %s could not be resolved", GetName(), host_);
    }
    if (!HasSocket()) CreateSocket();
    // A peer that never completes the connection must not hold the caller for the
    // system's own connect time-out.
    Deadline connectBy = WaitEnd(deadline);
    if (!socketapi::Connect(handle_, address, static_cast<uint16_t>(port_),
                            connectBy.IsSet() ? connectBy.MillisecondsLeft() : 0)) {
        throw new Exception(L"%s::Connect() - while connecting to %s:%d : %s", GetName(), host_,
                            port_, GetLastErrorText());
    }
}

Deadline TCPClient::WaitEnd(const Deadline& deadline) const {
    return deadline.Sooner(Deadline::In(GetRecvTimeOut()));
}

}  // namespace net
