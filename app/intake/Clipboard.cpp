// Clipboard: the board's text to the clipboard and what the clipboard holds back.
#include "Clipboard.h"

#include "puzzle/PuzzleExchange.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

bool Clipboard::Open(HWND owner) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(20);
    }
    return false;
}

ClipboardContent Clipboard::Read(HWND owner) {
    ClipboardContent content;
    if (!Open(owner)) {
        content.kind = ClipboardContent::kBusy;
        return content;
    }
    // Text and a web page's HTML win over anything else beside them (a web page's
    // picture, say); Windows makes Unicode text of plain text.
    HANDLE text = GetClipboardData(CF_UNICODETEXT);
    UINT htmlFormat = RegisterClipboardFormatW(kHtmlFormat);
    HANDLE html = htmlFormat != 0 ? GetClipboardData(htmlFormat) : nullptr;
    if (text != nullptr || html != nullptr) {
        content.kind = ClipboardContent::kText;
        if (const auto* characters = text != nullptr ? static_cast<const wchar_t*>(GlobalLock(text)) : nullptr) {
            size_t most = std::min<size_t>(GlobalSize(text) / sizeof(wchar_t), PuzzleExchange::kMaxBytes);
            content.text.assign(characters, wcsnlen(characters, most));
            GlobalUnlock(text);
        }
        if (const auto* bytes = html != nullptr ? static_cast<const char*>(GlobalLock(html)) : nullptr) {
            size_t most = std::min<size_t>(GlobalSize(html), PuzzleExchange::kMaxBytes);
            content.html.assign(bytes, strnlen(bytes, most));
            GlobalUnlock(html);
        }
    } else if (IsClipboardFormatAvailable(CF_HDROP)) {
        content.kind = ClipboardContent::kFiles;
    } else if (IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_DIB) ||
               IsClipboardFormatAvailable(CF_DIBV5) || IsClipboardFormatAvailable(CF_ENHMETAFILE) ||
               IsClipboardFormatAvailable(CF_METAFILEPICT)) {
        content.kind = ClipboardContent::kPicture;
    } else if (CountClipboardFormats() != 0) {
        content.kind = ClipboardContent::kOther;
    }
    CloseClipboard();
    return content;
}

bool Clipboard::Write(HWND owner, const std::wstring& text) {
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) return false;
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!Open(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    // Once placed, the memory is the clipboard's.
    bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(memory);
    return placed;
}
