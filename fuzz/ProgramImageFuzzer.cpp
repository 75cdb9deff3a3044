// Fuzzes the reading of a program file's machine and version texts from its bytes.
#include "common/util/version/ProgramImage.h"

#include <cwchar>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    util::version::ProgramImage image(reinterpret_cast<const char*>(data), size);
    image.GetMachine();
    for (const wchar_t* key : {L"OriginalFilename", L"ProductVersion", L"CompanyName"}) {
        String value = image.GetVersionValue(key);
        // A text of the file, never longer than the file itself.
        if (value.GetText() == nullptr || std::wcslen(value.GetText()) > size / 2) __builtin_trap();
    }
    return 0;
}
