// VersionInfo: string values of a program's version resource.
#include "VersionInfo.h"

#include "SystemLibrary.h"

#include "common/Exception.h"

#include <windows.h>

#include <vector>

namespace util {

namespace {

// The functions of version.dll these lookups call, found once.
struct VersionApi {
    SystemLibrary library{L"version.dll"};
    decltype(&GetFileVersionInfoSizeW) getSize =
        library.Find<decltype(GetFileVersionInfoSizeW)>("GetFileVersionInfoSizeW");
    decltype(&GetFileVersionInfoW) get = library.Find<decltype(GetFileVersionInfoW)>("GetFileVersionInfoW");
    decltype(&VerQueryValueW) queryValue = library.Find<decltype(VerQueryValueW)>("VerQueryValueW");
};

// Null when version.dll or one of its functions is missing; a later call tries again.
const VersionApi* GetVersionApi() {
    try {
        static const VersionApi api;
        return &api;
    } catch (Exception* e) {
        delete e;
        return nullptr;
    }
}

// The value of key in a version resource's block, looked up in the string table of its
// first translation (or of the user's language in Unicode when it lists none).
String ValueInBlock(const VersionApi& api, const void* block, const wchar_t* key) {
    String result(L"");
    String path;
    void* translation = nullptr;
    UINT size = 0;
    if (api.queryValue(block, L"\\VarFileInfo\\Translation", &translation, &size) && size == 4) {
        DWORD word = *static_cast<DWORD*>(translation);
        WORD language = LOWORD(word);
        WORD codePage = HIWORD(word);
        path.Format(L"\\StringFileInfo\\%02X%02X%02X%02X\\%s", HIBYTE(language), LOBYTE(language),
                    HIBYTE(codePage), LOBYTE(codePage), key);
    } else {
        path.Format(L"\\StringFileInfo\\%04X04B0\\%s", GetUserDefaultLangID(), key);
    }
    void* value = nullptr;
    if (api.queryValue(block, path.GetText(), &value, &size) && value != nullptr) {
        result.Set(static_cast<const wchar_t*>(value));
    }
    return result;
}

}  // namespace

String GetVersionInfoValue(const wchar_t* key) {
    const VersionApi* api = GetVersionApi();
    if (api == nullptr) return String(L"");
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    void* block = loaded ? LockResource(loaded) : nullptr;
    if (block == nullptr) return String(L"");
    String result = ValueInBlock(*api, block, key);
    FreeResource(loaded);
    return result;
}

String GetFileVersionInfoValue(const wchar_t* path, const wchar_t* key) {
    const VersionApi* api = GetVersionApi();
    if (api == nullptr) return String(L"");
    DWORD ignored = 0;
    DWORD size = api->getSize(path, &ignored);
    std::vector<char> block(size);
    if (size == 0 || !api->get(path, 0, size, block.data())) return String(L"");
    return ValueInBlock(*api, block.data(), key);
}

}  // namespace util
