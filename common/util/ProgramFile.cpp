// ProgramFile: where the running program file is, and starting a program file.
#include "ProgramFile.h"

#include <windows.h>

#include <vector>

namespace util {

std::wstring GetProgramFilePath() {
    std::vector<wchar_t> path(32768);  // the longest path Windows has
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::wstring(path.data(), length < path.size() ? length : 0);
}

bool StartProgramFile(const wchar_t* path, const wchar_t* folder) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + std::wstring(path) + L"\"";
    if (!CreateProcessW(path, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace util
