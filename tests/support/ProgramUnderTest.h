// ProgramUnderTest: a program a test starts as a process of its own and watches.
#pragma once

#include <windows.h>

#include <string>

// One run of a program at a time. Whatever still runs when the object goes (or at End)
// is terminated, so that a failed test leaves no program behind.
class ProgramUnderTest {
public:
    ProgramUnderTest() = default;
    ~ProgramUnderTest() { End(); }
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // The Windows path of a Unix path as the build gives it: Wine maps / to drive Z:.
    static std::wstring WindowsPath(const char* unixPath);

    // Starts program (a Windows path) with folder as its current directory and
    // argument0 as the first argument of its command line (the program's path when
    // empty), followed by arguments (as they stand, none when empty); false when it
    // cannot be started. Ends the previous run first. The
    // program starts as first designed: Resume Last Game is switched off in the
    // registry, so that no game is kept, resumed or handed over between the programs
    // of the tests.
    bool Start(const std::wstring& program, const std::wstring& folder, const std::wstring& argument0 = L"",
               const std::wstring& arguments = L"");
    // Terminates the program if it still runs and lets go of it.
    void End();

    DWORD GetId() const { return process_.dwProcessId; }
    bool IsRunning() const;
    // The program's visible top-level window with this caption once it is shown; null
    // after the time-out or once the program has ended.
    HWND WaitForWindow(const wchar_t* caption, int seconds = 20) const;
    // The exit code, or -2 when the program still runs after the time-out.
    int WaitForExit(int seconds = 20) const;
    // Closes the window like the user and gives the exit code.
    int Close(HWND window) const;

private:
    PROCESS_INFORMATION process_ = {};
};
