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
    // From the last character to the first, so that the last bad character is the
    // one reported; a value that would need a 32nd bit is refused after the walk.
    unsigned long long value = 0;
    bool tooLarge = false;
    for (int k = 0; k < end; ++k) {
        wchar_t c = digits[end - 1 - k];
        int digit = DigitValue(c);
        if (digit < 0) {
            throw new Exception(L"HexUtils::HexStringToInteger(%s) %c not an hex digit.", wide, c);
        }
        if (digit == 0) continue;
        if (k >= 8) {
            tooLarge = true;
        } else {
            value += static_cast<unsigned long long>(digit) << (4 * k);
        }
    }
    if (tooLarge || value > 0x7FFFFFFF) {
        throw new Exception(L"HexUtils::HexStringToInteger(%s) does not fit 31 bits.", wide);
    }
    return static_cast<int>(value);
}

}  // namespace http
}  // namespace net
