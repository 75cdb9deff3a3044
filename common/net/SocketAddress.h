// SocketAddress: an IPv4 or IPv6 address that a TCP connection can be made to.
#pragma once

#include <cstdint>

namespace net {

// One address of a host as the system's lookup gives it: its family, its bytes in
// network byte order (the first four for IPv4, all sixteen for IPv6) and, for a
// link-local IPv6 address, the scope (interface) it belongs to.
struct SocketAddress {
    enum class Family { IPv4, IPv6 };

    Family family = Family::IPv4;
    uint8_t bytes[16] = {};
    uint32_t scope = 0;
};

}  // namespace net
