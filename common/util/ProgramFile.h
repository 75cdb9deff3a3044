// ProgramFile: where the running program file is, and starting a program file.
#pragma once

#include <string>

namespace util {

// The running program file's full path as the system knows it, not argument 0 of the
// command line, which the caller chooses; empty when the system does not give it.
std::wstring GetProgramFilePath();

// Starts the program file at path, its quoted path the whole command line, with folder
// as its current directory; false when it cannot be started (GetLastError says why).
bool StartProgramFile(const wchar_t* path, const wchar_t* folder);

}  // namespace util
