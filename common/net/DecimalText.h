// DecimalText: reading a decimal number the way the C runtime's atoi does.
#pragma once

#include <climits>
#include <cwchar>

namespace net {

// Leading white space and a sign are accepted, reading stops at the first non-digit,
// no digits give 0; values beyond the 32-bit range are held at its ends. Null gives 0.
inline int ReadDecimal(const wchar_t* text) {
    if (text == nullptr) return 0;
    long long value = std::wcstoll(text, nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace net
