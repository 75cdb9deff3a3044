// LoggerManager: the process's registry of log sinks.
#include "LoggerManager.h"

#include "DebugOutput.h"

#include <cstddef>

namespace util {
namespace logging {

LoggerManager* LoggerManager::GetInstance() {
    static LoggerManager* instance = new LoggerManager();
    return instance;
}

void LoggerManager::AddLogger(ILogger* logger) {
    if (logger != nullptr) loggers_.push_back(logger);
}

void LoggerManager::Log(const wchar_t* text) {
    // By index: a sink may register another one while it is being called.
    for (std::size_t i = 0; i < loggers_.size(); ++i) {
        loggers_[i]->Log(text);
    }
    WriteDebugOutput(text);
}

}  // namespace logging
}  // namespace util
