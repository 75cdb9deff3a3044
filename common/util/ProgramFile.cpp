// ProgramFile: where the running program file is.
#include "ProgramFile.h"

#include <windows.h>

#include <vector>

namespace util {

std::wstring GetProgramFilePath() {
    std::vector<wchar_t> path(32768);  // the longest path Windows has
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::wstring(path.data(), length < path.size() ? length : 0);
}

}  // namespace util
