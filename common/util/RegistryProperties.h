// RegistryProperties: the program's settings under its own key of the current user.
#pragma once

#include "IProperties.h"
#include "common/Object.h"

#include <windows.h>

namespace util {

// Text values under HKEY_CURRENT_USER\Software\<company>\<product>; a section is a
// sub-key of that key. Nothing touches the registry before the first read or write.
class RegistryProperties final : public Object, public IProperties {
public:
    RegistryProperties(const wchar_t* companyName, const wchar_t* productName);

    bool GetProperty(const wchar_t* name, String& value, const wchar_t* section) override;
    bool SetProperty(const wchar_t* name, const wchar_t* text, const wchar_t* section) override;
    bool RemoveProperty(const wchar_t* name, const wchar_t* section) override;

    const wchar_t* GetKeyPath() const { return keyPath_.GetText(); }
    HKEY GetRoot() const { return root_; }

private:
    String KeyFor(const wchar_t* section) const;

    String keyPath_;
    HKEY root_ = HKEY_CURRENT_USER;
};

}  // namespace util
