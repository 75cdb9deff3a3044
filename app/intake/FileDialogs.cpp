// FileDialogs: Open's and Save's file dialogs, with the types of FileFormats.
#include "FileDialogs.h"

#include "words/Words.h"

#include <commdlg.h>

// The 32-bit program hands the dialog the 88-byte structure of 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(OPENFILENAMEW) == 88, "OPENFILENAMEW of 32-bit Windows");
#endif

namespace {

const DWORD kNameSize = 520;

// The dialogs' shared set-up: owner, the file types, the name buffer.
OPENFILENAMEW FileDialog(HWND owner, const std::wstring& filter, wchar_t* fileName, DWORD flags) {
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(OPENFILENAMEW);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = kNameSize;
    dialog.Flags = flags | OFN_NOCHANGEDIR;  // the current directory is not the dialog's to change
    return dialog;
}

}  // namespace

std::optional<std::wstring> FileDialogs::Open(HWND owner) {
    static const std::wstring filter = Words::FileFilter(FileFormats::OpenTypes());
    wchar_t fileName[kNameSize] = {};
    OPENFILENAMEW dialog = FileDialog(owner, filter, fileName, OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return std::wstring(fileName);
}

std::optional<FileDialogs::Saving> FileDialogs::Save(HWND owner, FileFormats::Saved proposed) {
    static const std::wstring filter = Words::FileFilter(FileFormats::SaveTypes());
    wchar_t fileName[kNameSize] = {};
    OPENFILENAMEW dialog = FileDialog(owner, filter, fileName, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    dialog.nFilterIndex = static_cast<DWORD>(FileFormats::IndexOf(proposed));
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    return Saving{fileName, FileFormats::SavedAt(dialog.nFilterIndex)};
}
