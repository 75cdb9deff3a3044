// SystemLibrary: a DLL taken from the system folder only, and the functions it exports.
#include "SystemLibrary.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"

namespace util {

SystemLibrary::SystemLibrary(const wchar_t* name)
    : Object(L"SystemLibrary"), module_(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    if (module_ == nullptr) {
        throw new Exception(L"SystemLibrary()\n%s cannot be loaded from the system folder: %s", name,
                            GetLastErrorText());
    }
}

FARPROC SystemLibrary::FindProcedure(const char* procedure) const {
    FARPROC found = GetProcAddress(module_, procedure);
    if (found == nullptr) {
        String name;
        name.SetAnsi(procedure);
        throw new Exception(L"SystemLibrary::Find()\nThe system has no %s: %s", name, GetLastErrorText());
    }
    return found;
}

FARPROC SystemLibrary::FindOptionalProcedure(const wchar_t* name, const char* procedure) {
    HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module == nullptr ? nullptr : GetProcAddress(module, procedure);
}

void LoadDllsFromSystemFolderOnly() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

}  // namespace util
