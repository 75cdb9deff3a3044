// Registry: the four registry operations the settings are built on.
#include "Registry.h"

#include "common/Exception.h"

#include <cwchar>
#include <vector>

namespace util {

bool System::Is64Bit() {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &wow64)) throw new Exception(L"System::Is64Bit()\nIsWow64Process failed");
    return wow64 != FALSE;
}

HKEY OpenRegistryKey(HKEY root, const wchar_t* subKey) {
    REGSAM access = KEY_QUERY_VALUE | (System::Is64Bit() ? KEY_WOW64_64KEY : 0);
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, subKey, 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

bool ReadRegistryString(HKEY root, const wchar_t* subKey, const wchar_t* name, String& value) {
    HKEY key = OpenRegistryKey(root, subKey);
    if (key == nullptr) return false;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0) {
        RegCloseKey(key);
        return false;
    }
    // Room for twice the bytes and zero-filled, so that the text always ends in a zero
    // character even when the stored value does not.
    std::vector<wchar_t> buffer(size + 1, L'\0');
    DWORD bytes = size * 2;
    LONG status = RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return false;
    value.Set(buffer.data());
    return true;
}

bool WriteRegistryString(HKEY root, const wchar_t* subKey, const wchar_t* name, const wchar_t* text) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    LONG status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool DeleteRegistryValue(HKEY root, const wchar_t* subKey, const wchar_t* name) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(root, subKey, 0, KEY_SET_VALUE, &key);
    if (status == ERROR_FILE_NOT_FOUND) return true;
    if (status != ERROR_SUCCESS) return false;
    status = RegDeleteValueW(key, name);
    RegCloseKey(key);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace util
