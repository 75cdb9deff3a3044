// ResolveWithin: looking up a host name without waiting past a deadline.
#include "ResolveWithin.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace net {

namespace {

// What the lookup thread and the waiting caller share; the last of them to let go of
// it frees it, so an abandoned thread still has somewhere to leave its answer.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool found = false;
    std::vector<SocketAddress> addresses;
};

}  // namespace

bool ResolveWithin(const char* host, std::vector<SocketAddress>& addresses, const Deadline& deadline,
                   const Resolver& resolve) {
    if (!deadline.IsSet()) return resolve(host, addresses);
    if (deadline.HasPassed()) return false;
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, name = std::string(host), resolve] {
        std::vector<SocketAddress> found;
        bool ok = resolve(name.c_str(), found);
        std::lock_guard<std::mutex> lock(lookup->mutex);
        lookup->finished = true;
        lookup->found = ok;
        lookup->addresses = std::move(found);
        lookup->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(lookup->mutex);
    if (!lookup->done.wait_until(lock, deadline.GetTime(), [&] { return lookup->finished; })) {
        return false;
    }
    if (lookup->found) addresses = lookup->addresses;
    return lookup->found;
}

}  // namespace net
