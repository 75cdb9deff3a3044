// SystemReason: the system's reason for the last failure, to go inside a sentence.
#include "SystemReason.h"

#include "common/CatalogueText.h"
#include "common/LastErrorText.h"

#include <windows.h>

#include <cwctype>
#include <string>

String SystemReason() {
    DWORD code = GetLastError();
    const wchar_t* text = GetLastErrorText();
    std::wstring reason(text != nullptr ? text : L"");
    while (!reason.empty() && (std::iswspace(reason.back()) || reason.back() == L'.')) reason.pop_back();
    if (reason.empty()) return CatalogueText(TextId::kUpdaterSystemError, {std::to_wstring(code)});
    return String(reason.c_str());
}
