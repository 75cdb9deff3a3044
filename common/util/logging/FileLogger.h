// FileLogger: a log sink that writes its texts into one UTF-16 file.
#pragma once

#include "ILogger.h"
#include "common/Object.h"
#include "common/String.h"
#include "common/util/TextFile.h"

#include <memory>

namespace util {
namespace logging {

// Writes every text it gets, as UTF-16 little-endian code units without a terminator or
// a line end of its own, into the file named at construction. The file is created (an
// existing one truncated) on the first text and starts with the mark FF FE, so a logger
// that never gets a text leaves no file behind. Destroying the logger closes the file.
class FileLogger final : public Object, public ILogger {
public:
    explicit FileLogger(const wchar_t* path);
    ~FileLogger();
    FileLogger(const FileLogger&) = delete;
    FileLogger& operator=(const FileLogger&) = delete;

    // Raises "FileLogger::GetFile()..." when the path is empty or the file cannot be
    // created (nothing is written then), and File::Write's Exception when the file
    // refuses the bytes.
    void Log(const wchar_t* text) override;

    const String& GetLogFilePath() const { return logFilePath_; }

private:
    // Creates the file and writes its mark on the first text.
    TextFile& GetFile();

    std::unique_ptr<TextFile> file_;
    String logFilePath_;
};

}  // namespace logging
}  // namespace util
