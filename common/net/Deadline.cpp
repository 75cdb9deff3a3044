// Deadline: the moment by which a network operation must be over.
#include "Deadline.h"

#include <algorithm>
#include <climits>

namespace net {

Deadline Deadline::In(int milliseconds) {
    return milliseconds > 0 ? Deadline(Clock::now() + std::chrono::milliseconds(milliseconds))
                            : Deadline();
}

int Deadline::MillisecondsLeft() const {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(at_ - Clock::now()).count();
    return static_cast<int>(std::clamp<decltype(left)>(left, 1, INT_MAX));
}

Deadline Deadline::Sooner(const Deadline& other) const {
    if (!other.set_) return *this;
    if (!set_) return other;
    return at_ <= other.at_ ? *this : other;
}

void Deadline::Extend(int64_t milliseconds) {
    if (set_) at_ += std::chrono::milliseconds(milliseconds);
}

}  // namespace net
