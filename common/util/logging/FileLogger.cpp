// FileLogger: a log sink that writes its texts into one UTF-16 file.
#include "FileLogger.h"

#include "common/Exception.h"

namespace util {
namespace logging {

FileLogger::FileLogger(const wchar_t* path) : Object(L"FileLogger"), logFilePath_(path) {}

FileLogger::~FileLogger() = default;

void FileLogger::Log(const wchar_t* text) { GetFile().WriteText(text); }

TextFile& FileLogger::GetFile() {
    if (file_ != nullptr) return *file_;
    if (logFilePath_.GetLength() == 0) throw new Exception(L"FileLogger::GetFile()\nLogFilePath not set");
    auto file = std::make_unique<TextFile>(logFilePath_.GetText());
    file->SetEncoding(FileEncoding::Utf16LittleEndian);
    file->OpenFile(FileAccess::Write, FileCreation::CreateAlways);
    if (!file->IsOpen()) throw new Exception(L"FileLogger::GetFile() - CreateFile (%s)", logFilePath_);
    file->WriteTheBOM();
    file_ = std::move(file);
    return *file_;
}

}  // namespace logging
}  // namespace util
