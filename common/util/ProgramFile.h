// ProgramFile: where the running program file is.
#pragma once

#include <string>

namespace util {

// The running program file's full path as the system knows it, not argument 0 of the
// command line, which the caller chooses; empty when the system does not give it.
std::wstring GetProgramFilePath();

}  // namespace util
