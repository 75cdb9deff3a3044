// Exception: the one exception type the framework raises.
#pragma once

#include "Object.h"
#include "String.h"

#include <cwchar>

// Carries one formatted message. Always raised as a pointer to a new object
// (throw new Exception(...)); the handler that catches it owns it. Its message names
// the failing operation first, e.g. "File::Write()\nFile : <path>\n<system text>".
class Exception final : public Object {
public:
    // Formats the message like String::Format. "%%" gives "%"; when the format holds
    // "%%", an argument's "@0/0@" also turns into "%", since "%%" is applied through
    // that marker.
    template <typename... Args>
    explicit Exception(const wchar_t* format, const Args&... args) {
        if (format == nullptr) return;
        if (std::wcsstr(format, L"%%") == nullptr) {
            message_.Format(format, args...);
            return;
        }
        String escaped(format);
        escaped.Replace(L"%%", kPercentMarker);
        message_.Format(escaped.GetText(), args...);
        message_.Replace(kPercentMarker, L"%");
    }

    const wchar_t* GetMessageText() const { return message_.GetText(); }

private:
    // Stands in for "%%" while the arguments are applied.
    static constexpr const wchar_t* kPercentMarker = L"@0/0@";

    String message_;
};
