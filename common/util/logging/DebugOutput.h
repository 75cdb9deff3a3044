// DebugOutput: the process's diagnostic channel.
#pragma once

namespace util {
namespace logging {

// Writes text to the diagnostic channel: the debugger output on Windows, standard error
// elsewhere. Nothing is added to the text.
void WriteDebugOutput(const wchar_t* text);

// The writer behind WriteDebugOutput. Tests put a recorder in its place; null puts the
// platform's own back. Returns the writer that was in place.
using DebugOutputWriter = void (*)(const wchar_t* text);
DebugOutputWriter SetDebugOutputWriter(DebugOutputWriter writer);

}  // namespace logging
}  // namespace util
