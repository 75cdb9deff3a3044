// ShellOpen: opens a URL or a document through the shell.
#include "ShellOpen.h"

#include <shellapi.h>

namespace gui {

namespace {
ShellExecuteCall shellExecute = &ShellExecuteW;
}

void ShellOpen(HWND owner, const wchar_t* target, int showCommand) {
    shellExecute(owner, L"open", target, nullptr, nullptr, showCommand);
}

ShellExecuteCall SetShellExecuteCall(ShellExecuteCall call) {
    ShellExecuteCall previous = shellExecute;
    shellExecute = call != nullptr ? call : &ShellExecuteW;
    return previous;
}

}  // namespace gui
