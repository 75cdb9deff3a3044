// Clipboard: the board's text to the clipboard and what the clipboard holds back.
#pragma once

#include "board/intake/ClipboardContent.h"

#include <windows.h>

#include <string>

// Copy and Paste's calls to Windows' clipboard: Unicode text, and for Paste a web page's
// HTML beside it (kHtmlFormat, the format browsers register). The clipboard is
// shared by every program, which may hold it open for a moment: opening it is tried a
// few times, for at most a tenth of a second.
class Clipboard {
public:
    // The name of the registered clipboard format of HTML ("CF_HTML").
    static constexpr wchar_t kHtmlFormat[] = L"HTML Format";

    // What the clipboard holds: its text and its HTML, at most PuzzleExchange::kMaxBytes
    // characters of each, or what kind of thing it holds instead.
    static ClipboardContent Read(HWND owner);
    // Puts text on the clipboard in place of what it held; false when it could not.
    static bool Write(HWND owner, const std::wstring& text);

private:
    static bool Open(HWND owner);
};
