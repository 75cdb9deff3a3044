// DebugOutput: the process's diagnostic channel.
#include "DebugOutput.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "common/TextConversion.h"

#include <cstdio>
#include <cwchar>
#endif

namespace util {
namespace logging {

namespace {

void WriteToPlatformChannel(const wchar_t* text) {
#ifdef _WIN32
    OutputDebugStringW(text);
#else
    std::string utf8 = WideToUtf8(text, std::wcslen(text));
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
#endif
}

DebugOutputWriter writer = &WriteToPlatformChannel;

}  // namespace

void WriteDebugOutput(const wchar_t* text) { writer(text == nullptr ? L"" : text); }

DebugOutputWriter SetDebugOutputWriter(DebugOutputWriter replacement) {
    DebugOutputWriter previous = writer;
    writer = replacement != nullptr ? replacement : &WriteToPlatformChannel;
    return previous;
}

}  // namespace logging
}  // namespace util
