// HexUtils: reading the hexadecimal chunk sizes of HTTP bodies.
#include "HexUtils.h"

#include "common/Exception.h"
#include "common/String.h"

namespace net {
namespace http {

namespace {

// The digit's value, 0 for a blank, -1 for anything else.
int DigitValue(wchar_t c) {
    if (c == L' ') return 0;
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

int HexUtils::HexStringToInteger(const char* text) {
    String wide;
    wide.SetAnsi(text);
    const wchar_t* digits = wide.IsEmpty() ? L"" : wide.GetText();
    int end = wide.GetLength();
    while (end > 0 && digits[end - 1] == L' ') --end;
    unsigned long long value = 0;
    for (int i = 0; i < end; ++i) {
        int digit = DigitValue(digits[i]);
        if (digit < 0) {
            throw new Exception(L"HexUtils::HexStringToInteger(%s) %c not an hex digit.", wide, digits[i]);
        }
        value = value * 16 + digit;
        if (value > 0x7FFFFFFF) {
            throw new Exception(L"HexUtils::HexStringToInteger(%s) does not fit 31 bits.", wide);
        }
    }
    return static_cast<int>(value);
}

}  // namespace http
}  // namespace net
