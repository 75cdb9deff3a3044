// IProperties: named text settings.
#pragma once

#include "common/String.h"

namespace util {

// Reads and writes named text values, optionally in a named section.
class IProperties {
public:
    // True with the text in value; false with value emptied when there is none.
    virtual bool GetProperty(const wchar_t* name, String& value, const wchar_t* section) = 0;
    // True when the text was stored.
    virtual bool SetProperty(const wchar_t* name, const wchar_t* text, const wchar_t* section) = 0;
    // True when there is no such value any more (also when there was none).
    virtual bool RemoveProperty(const wchar_t* name, const wchar_t* section) = 0;

protected:
    ~IProperties() = default;
};

}  // namespace util
