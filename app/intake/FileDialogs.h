// FileDialogs: Open's and Save's file dialogs, with the types of FileFormats.
#pragma once

#include "puzzle/FileFormats.h"

#include <windows.h>

#include <optional>
#include <string>

// Windows' common file dialogs, owned by a window, listing the types of FileFormats.
// Neither changes the process's current folder.
class FileDialogs {
public:
    // A file that Save's dialog named, and what the type chosen there writes.
    struct Saving {
        std::wstring path;
        FileFormats::Saved saved;
    };

    // The existing file chosen in Open's dialog; none when it was cancelled.
    static std::optional<std::wstring> Open(HWND owner);
    // The file named in Save's dialog, which asks before a file is replaced, with the
    // type proposed chosen at first; none when it was cancelled. The name is taken as
    // typed, whichever type is chosen.
    static std::optional<Saving> Save(HWND owner, FileFormats::Saved proposed);
};
