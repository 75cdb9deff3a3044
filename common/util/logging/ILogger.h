// ILogger: what every log sink implements.
#pragma once

namespace util {
namespace logging {

// A sink of finished texts. The text arrives as the caller wrote it, line ends
// included; a sink adds nothing of its own. Sinks are never deleted through this
// interface. Slot order: Log.
class ILogger {
public:
    virtual void Log(const wchar_t* text) = 0;

protected:
    ~ILogger() = default;
};

}  // namespace logging
}  // namespace util
