// VersionInfo: string values of the program's own version resource.
#include "VersionInfo.h"

#include <windows.h>

namespace util {

String GetVersionInfoValue(const wchar_t* key) {
    String result(L"");
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    void* block = loaded ? LockResource(loaded) : nullptr;
    if (block == nullptr) return result;

    String path;
    void* translation = nullptr;
    UINT size = 0;
    if (VerQueryValueW(block, L"\\VarFileInfo\\Translation", &translation, &size) && size == 4) {
        DWORD word = *static_cast<DWORD*>(translation);
        WORD language = LOWORD(word);
        WORD codePage = HIWORD(word);
        path.Format(L"\\StringFileInfo\\%02X%02X%02X%02X\\%s", HIBYTE(language), LOBYTE(language),
                    HIBYTE(codePage), LOBYTE(codePage), key);
    } else {
        path.Format(L"\\StringFileInfo\\%04X04B0\\%s", GetUserDefaultLangID(), key);
    }
    void* value = nullptr;
    if (VerQueryValueW(block, path.GetText(), &value, &size) && value != nullptr) {
        result.Set(static_cast<const wchar_t*>(value));
    }
    FreeResource(loaded);
    return result;
}

}  // namespace util
