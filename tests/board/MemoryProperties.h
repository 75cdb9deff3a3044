// MemoryProperties: settings kept in memory as the registry keeps them, for the board's tests.
#pragma once

#include "common/util/IProperties.h"

#include <map>
#include <string>

// Values by name, a section's as "section\name".
class MemoryProperties : public util::IProperties {
public:
    bool GetProperty(const wchar_t* name, String& value, const wchar_t* section) override {
        auto found = values.find(Key(name, section));
        value = found == values.end() ? String() : String(found->second.c_str());
        return found != values.end();
    }
    bool SetProperty(const wchar_t* name, const wchar_t* text, const wchar_t* section) override {
        values[Key(name, section)] = text;
        return true;
    }
    bool RemoveProperty(const wchar_t* name, const wchar_t* section) override {
        values.erase(Key(name, section));
        return true;
    }

    std::map<std::wstring, std::wstring> values;

private:
    static std::wstring Key(const wchar_t* name, const wchar_t* section) {
        return section == nullptr ? name : std::wstring(section) + L"\\" + name;
    }
};
