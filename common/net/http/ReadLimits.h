// ReadLimits: the bounds of time on reading one HTTP response.
#pragma once

#include "MinimumProgress.h"

#include "common/net/Deadline.h"

#include <cstdint>
#include <functional>

namespace net {
namespace http {

// Told, while a response is read, the body bytes received so far and the length its
// Content-Length announced (-1 when none); false cancels the reading.
using ProgressListener = std::function<bool(int64_t received, int64_t announced)>;

// What HttpResponse::Read must respect besides the response's size limit. The
// defaults bound nothing but the progress: each receive then waits as long as the
// source lets it.
struct ReadLimits {
    MinimumProgress progress;
    // Nothing at all received for this long ends the reading, as an expired receive
    // time-out does; 0 for no such bound.
    int stallMilliseconds = 0;
    // The reading fails when it passes.
    Deadline deadline;
    // When above 0, a Content-Length moves the deadline later by length /
    // bytesPerSecond seconds for the rest of this response.
    int bytesPerSecond = 0;
    // Called after every receive and, while no bytes come, at least every
    // kListenerIntervalMilliseconds; none when empty.
    ProgressListener listener;

    static const int kListenerIntervalMilliseconds = 100;
};

}  // namespace http
}  // namespace net
