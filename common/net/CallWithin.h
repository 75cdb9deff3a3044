// CallWithin: a call on a thread of its own that the caller waits for only up to a deadline.
#pragma once

#include "Deadline.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace net {

// Runs call(result) on a thread of its own and waits for it until the deadline (a set
// one): for the system's calls that take no time-out (a name lookup, the proxy finder).
// True, with result set, when the call ended in time and returned true; false when it
// returned false, when the deadline came first (the thread is left to finish alone and
// its result is dropped) or had passed already (nothing is started). call must not
// raise; it is copied and may still run after the return, so it must refer to nothing
// that ends before it does. Raises std::system_error when no thread can be started.
template <typename Result>
bool CallWithin(const Deadline& deadline, std::function<bool(Result&)> call, Result& result) {
    if (deadline.HasPassed()) return false;
    // Shared by the thread and the waiting caller; the last of them to let go of it
    // frees it, so an abandoned thread still has somewhere to leave its result.
    struct Outcome {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool succeeded = false;
        Result result;
    };
    auto outcome = std::make_shared<Outcome>();
    std::thread([outcome, call = std::move(call)] {
        Result found{};
        bool succeeded = call(found);
        std::lock_guard<std::mutex> lock(outcome->mutex);
        outcome->finished = true;
        outcome->succeeded = succeeded;
        outcome->result = std::move(found);
        outcome->done.notify_all();
    }).detach();
    std::unique_lock<std::mutex> lock(outcome->mutex);
    if (!outcome->done.wait_until(lock, deadline.GetTime(), [&] { return outcome->finished; })) return false;
    if (outcome->succeeded) result = std::move(outcome->result);
    return outcome->succeeded;
}

}  // namespace net
