// ShellCallRecorder: records a test's shell calls instead of making them.
#pragma once

#include "common/gui/ShellOpen.h"
#include "tests/common/ScopedCall.h"

#include <string>
#include <vector>

// One call as ShellExecuteW would have received it.
struct ShellCall {
    HWND owner;
    std::wstring verb;
    std::wstring target;
    bool noParameters;
    bool noDirectory;
    int showCommand;
};

// While it exists, the calls behind gui::ShellOpen are recorded in GetCalls, not made (a
// URL would open a real browser on a desktop). One recorder at a time; each starts empty.
class ShellCallRecorder : ScopedCall<gui::ShellExecuteCall> {
public:
    ShellCallRecorder() : ScopedCall(&gui::SetShellExecuteCall, &Record) { GetCalls().clear(); }
    static std::vector<ShellCall>& GetCalls() {
        static std::vector<ShellCall> calls;
        return calls;
    }

private:
    static HINSTANCE WINAPI Record(HWND owner, LPCWSTR verb, LPCWSTR target, LPCWSTR parameters, LPCWSTR directory,
                                   INT showCommand) {
        GetCalls().push_back({owner, verb, target, parameters == nullptr, directory == nullptr, showCommand});
        return reinterpret_cast<HINSTANCE>(33);  // above 32: the shell's success
    }
};
