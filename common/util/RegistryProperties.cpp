// RegistryProperties: the program's settings under its own key of the current user.
#include "RegistryProperties.h"

#include "Registry.h"

namespace util {

RegistryProperties::RegistryProperties(const wchar_t* companyName, const wchar_t* productName)
    : Object(L"RegistryProperties") {
    keyPath_.Format(L"Software\\%s\\%s", companyName, productName);
}

String RegistryProperties::KeyFor(const wchar_t* section) const {
    String key(keyPath_);
    if (section != nullptr) key.Format(L"%s\\%s", keyPath_, section);
    return key;
}

bool RegistryProperties::GetProperty(const wchar_t* name, String& value, const wchar_t* section) {
    value.Set(nullptr);
    return ReadRegistryString(root_, KeyFor(section).GetText(), name, value);
}

bool RegistryProperties::SetProperty(const wchar_t* name, const wchar_t* text, const wchar_t* section) {
    return WriteRegistryString(root_, KeyFor(section).GetText(), name, text);
}

bool RegistryProperties::RemoveProperty(const wchar_t* name, const wchar_t* section) {
    return DeleteRegistryValue(root_, KeyFor(section).GetText(), name);
}

}  // namespace util
