// SocketApi: the calls both platforms share, getaddrinfo and the socket address
// structures: looking up a host's addresses and handing one to the system.
#include "SocketApi.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

#include <cstring>
#include <string>

namespace net {
namespace socketapi {

bool Resolve(const char* host, std::vector<SocketAddress>& addresses) {
    addresses.clear();
    std::string name = host;
    addrinfo hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    if (name.size() >= 2 && name.front() == '[' && name.back() == ']') {
        name = name.substr(1, name.size() - 2);
        hints.ai_family = AF_INET6;
        hints.ai_flags = AI_NUMERICHOST;
    }
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0) return false;
    for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        SocketAddress address;
        if (entry->ai_family == AF_INET) {
            std::memcpy(address.bytes, &reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr, 4);
        } else if (entry->ai_family == AF_INET6) {
            const auto* ipv6 = reinterpret_cast<const sockaddr_in6*>(entry->ai_addr);
            address.family = SocketAddress::Family::IPv6;
            std::memcpy(address.bytes, &ipv6->sin6_addr, 16);
            address.scope = ipv6->sin6_scope_id;
        } else {
            continue;
        }
        addresses.push_back(address);
    }
    freeaddrinfo(found);
    return !addresses.empty();
}

int ToSystemAddress(const SocketAddress& address, uint16_t port, sockaddr_storage& system) {
    std::memset(&system, 0, sizeof system);
    if (address.family == SocketAddress::Family::IPv4) {
        auto* ipv4 = reinterpret_cast<sockaddr_in*>(&system);
        ipv4->sin_family = AF_INET;
        ipv4->sin_port = htons(port);
        std::memcpy(&ipv4->sin_addr, address.bytes, 4);
        return sizeof(sockaddr_in);
    }
    auto* ipv6 = reinterpret_cast<sockaddr_in6*>(&system);
    ipv6->sin6_family = AF_INET6;
    ipv6->sin6_port = htons(port);
    std::memcpy(&ipv6->sin6_addr, address.bytes, 16);
    ipv6->sin6_scope_id = address.scope;
    return sizeof(sockaddr_in6);
}

}  // namespace socketapi
}  // namespace net
