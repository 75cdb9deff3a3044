// LoggerManager: the process's registry of log sinks.
#pragma once

#include "ILogger.h"
#include "common/Object.h"

#include <vector>

namespace util {
namespace logging {

// Fans every text out to the registered sinks in the order of registration, then to
// the diagnostic channel. It does not own its sinks and cannot remove one, so a sink
// must live as long as the process; a sink registered twice gets every text twice.
// One per process, made on first request and never destroyed; it has no lock and is
// meant for the user-interface thread.
class LoggerManager final : public Object, public ILogger {
public:
    static LoggerManager* GetInstance();

    // Appends the sink to the list; a repeat is not refused. A null sink is ignored.
    void AddLogger(ILogger* logger);
    // Passes the very same text to every sink, then to WriteDebugOutput. A sink that
    // raises stops the fan-out there, and the Exception reaches the caller.
    void Log(const wchar_t* text) override;

private:
    LoggerManager() : Object(L"LoggerManager") {}

    std::vector<ILogger*> loggers_;
};

}  // namespace logging
}  // namespace util
