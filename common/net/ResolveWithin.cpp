// ResolveWithin: looking up a host name without waiting past a deadline.
#include "ResolveWithin.h"

#include "CallWithin.h"

#include <string>

namespace net {

bool ResolveWithin(const char* host, std::vector<SocketAddress>& addresses, const Deadline& deadline,
                   const Resolver& resolve) {
    if (!deadline.IsSet()) return resolve(host, addresses);
    return CallWithin<std::vector<SocketAddress>>(
        deadline,
        [name = std::string(host), resolve](std::vector<SocketAddress>& found) { return resolve(name.c_str(), found); },
        addresses);
}

}  // namespace net
