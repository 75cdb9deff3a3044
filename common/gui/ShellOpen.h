// ShellOpen: opens a URL or a document through the shell.
#pragma once

#include <windows.h>

namespace gui {

// Opens target with the shell's "open" verb (ShellExecuteW without parameters or
// directory). Whether it could be opened is not reported: the callers have nothing to
// tell the user about a page that does not open.
void ShellOpen(HWND owner, const wchar_t* target, int showCommand);

// The call behind ShellOpen, ShellExecuteW unless a test put a recorder in its place;
// null puts ShellExecuteW back. Returns the call that was in place.
using ShellExecuteCall = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
ShellExecuteCall SetShellExecuteCall(ShellExecuteCall call);

}  // namespace gui
