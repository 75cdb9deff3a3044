// Deadline: the moment by which a network operation must be over.
#pragma once

#include <chrono>
#include <cstdint>

namespace net {

// A point on the steady clock, or none (the default), which never passes. Each wait
// of an operation asks it how long it may still last, so that the operation as a
// whole ends in time however many waits it makes.
class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    Deadline() = default;
    explicit Deadline(Clock::time_point at) : at_(at), set_(true) {}
    // milliseconds from now; none for 0 or less.
    static Deadline In(int milliseconds);

    bool IsSet() const { return set_; }
    Clock::time_point GetTime() const { return at_; }
    bool HasPassed() const { return set_ && Clock::now() >= at_; }
    // The milliseconds left, rounded up and held between 1 and INT_MAX: a wait given
    // them is never read as "no bound", even when the deadline has just passed. Only
    // for a set deadline.
    int MillisecondsLeft() const;
    // The earlier of the two; none only when both are none.
    Deadline Sooner(const Deadline& other) const;
    // Moves a set deadline later by milliseconds.
    void Extend(int64_t milliseconds);

private:
    Clock::time_point at_;
    bool set_ = false;
};

}  // namespace net
