// TCPClient: a TCP socket that knows the host and port it talks to.
#include "TCPClient.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"

namespace net {

void TCPClient::Connect() {
    uint32_t address = 0;
    const char* name = host_.ToUtf8();
    if (name == nullptr || !socketapi::Resolve(name, address)) {
        throw new Exception(L"%s::Connect() %s could not be resolved", GetName(), host_);
    }
    if (!HasSocket()) CreateSocket();
    // The receive time-out bounds the connection too: a peer that never completes it
    // must not hold the caller for the system's own connect time-out.
    if (!socketapi::Connect(handle_, address, static_cast<uint16_t>(port_), GetRecvTimeOut())) {
        throw new Exception(L"%s::Connect() - while connecting to %s:%d : %s", GetName(), host_,
                            port_, GetLastErrorText());
    }
}

}  // namespace net
