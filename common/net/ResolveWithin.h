// ResolveWithin: looking up a host name without waiting past a deadline.
#pragma once

#include "Deadline.h"
#include "SocketAddress.h"

#include <functional>
#include <vector>

namespace net {

// Looks up a host (UTF-8 name): true with its addresses, in the order to try them, or
// false. socketapi::Resolve is the system's.
using Resolver = std::function<bool(const char* host, std::vector<SocketAddress>& addresses)>;

// resolve(host, addresses) with a bound: the system's lookup takes no time-out, so with
// a set deadline it runs on a thread of its own, which is left to finish alone (its
// answer dropped) when the deadline comes first; the call then returns false. Without
// a deadline resolve runs on the calling thread. resolve must not raise; it is copied
// and may still run after the return, so it must not refer to anything that ends
// before it does. Raises std::system_error when no thread can be started.
bool ResolveWithin(const char* host, std::vector<SocketAddress>& addresses, const Deadline& deadline,
                   const Resolver& resolve);

}  // namespace net
