// MinimumProgress: the least an HTTP response must bring in every span of time.
#pragma once

namespace net {
namespace http {

// The receive time-out bounds each wait for bytes, not the whole response: without a
// rate a peer that sends a byte now and then would hold the reader for ever. The
// default lets slow links through (1 KiB in every 10 seconds), so a peer that keeps
// just above it is ended only by a time limit (see ReadLimits).
struct MinimumProgress {
    int bytes = 1024;
    int milliseconds = 10000;
};

}  // namespace http
}  // namespace net
