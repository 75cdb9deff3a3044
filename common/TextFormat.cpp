// TextFormat: the printf-style formatter behind String::Format and Exception.
#include "TextFormat.h"

#include "String.h"

#include <cwchar>

FormatArgument::FormatArgument(const String& text) : kind_(Kind::Text), text_(text.GetText()) {
    if (text_ == nullptr) {
        text_ = L"";  // an empty String prints as empty text, not as "(null)"
    }
}

namespace {

struct Conversion {
    bool leftAlign = false;
    bool zeroPad = false;
    bool plusSign = false;
    bool spaceSign = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    wchar_t type = 0;
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Reads one conversion after its '%'; returns the position after it, or nullptr when
// the format ends before the conversion character.
const wchar_t* ParseConversion(const wchar_t* p, Conversion& c) {
    for (;; ++p) {
        if (*p == L'-') c.leftAlign = true;
        else if (*p == L'0') c.zeroPad = true;
        else if (*p == L'+') c.plusSign = true;
        else if (*p == L' ') c.spaceSign = true;
        else if (*p == L'#') c.alternate = true;
        else break;
    }
    for (; IsDigit(*p); ++p) {
        if (c.width < 100000) c.width = c.width * 10 + (*p - L'0');
    }
    if (*p == L'.') {
        c.precision = 0;
        for (++p; IsDigit(*p); ++p) {
            if (c.precision < 100000) c.precision = c.precision * 10 + (*p - L'0');
        }
    }
    while (*p == L'h' || *p == L'l' || *p == L'L' || *p == L'z' || *p == L'j' || *p == L't' ||
           *p == L'w' || *p == L'I' || IsDigit(*p)) {
        ++p;  // length modifiers, including Microsoft's I64 and I32
    }
    if (*p == 0) return nullptr;
    c.type = *p;
    return p + 1;
}

std::wstring Digits(unsigned long long value, unsigned base, bool upper) {
    const wchar_t* digits = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring out;
    do {
        out.insert(out.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return out;
}

std::wstring FormatInteger(const Conversion& c, const FormatArgument& argument) {
    long long value = argument.GetInteger();
    bool isSigned = c.type == L'd' || c.type == L'i';
    std::wstring sign;
    unsigned long long magnitude;
    if (isSigned && !argument.IsUnsigned() && value < 0) {
        sign = L"-";
        magnitude = 0ULL - static_cast<unsigned long long>(value);
    } else if (isSigned) {
        sign = c.plusSign ? L"+" : (c.spaceSign ? L" " : L"");
        magnitude = static_cast<unsigned long long>(value);
    } else {
        // Unsigned conversions see a negative value at the width it was passed with,
        // as printf shows an int -1 passed to %X as FFFFFFFF.
        magnitude = static_cast<unsigned long long>(value);
        if (argument.GetSize() < 8) {
            magnitude &= (1ULL << (8 * argument.GetSize())) - 1;
        }
    }
    unsigned base = c.type == L'o' ? 8 : (c.type == L'x' || c.type == L'X') ? 16 : 10;
    std::wstring digits = Digits(magnitude, base, c.type == L'X');
    if (c.precision == 0 && magnitude == 0) digits.clear();
    if (c.precision > 0 && static_cast<int>(digits.size()) < c.precision) {
        digits.insert(0, c.precision - digits.size(), L'0');
    }
    if (c.alternate && magnitude != 0) {
        if (base == 16) sign += c.type == L'X' ? L"0X" : L"0x";
        if (base == 8 && digits[0] != L'0') digits.insert(0, 1, L'0');
    }
    int padding = c.width - static_cast<int>(sign.size() + digits.size());
    if (padding <= 0) return sign + digits;
    if (c.leftAlign) return sign + digits + std::wstring(padding, L' ');
    if (c.zeroPad && c.precision < 0) return sign + std::wstring(padding, L'0') + digits;
    return std::wstring(padding, L' ') + sign + digits;
}

std::wstring Pad(const Conversion& c, std::wstring text) {
    int padding = c.width - static_cast<int>(text.size());
    if (padding <= 0) return text;
    if (c.leftAlign) return text + std::wstring(padding, L' ');
    return std::wstring(padding, c.zeroPad ? L'0' : L' ') + text;
}

// Formats one conversion; false when the argument cannot serve it.
bool FormatOne(const Conversion& c, const FormatArgument& argument, std::wstring& out) {
    bool isText = argument.GetKind() == FormatArgument::Kind::Text;
    switch (c.type) {
    case L's': {
        if (!isText) return false;
        const wchar_t* text = argument.GetText() ? argument.GetText() : L"(null)";
        size_t length = std::wcslen(text);
        if (c.precision >= 0 && static_cast<size_t>(c.precision) < length) length = c.precision;
        out += Pad(c, std::wstring(text, length));
        return true;
    }
    case L'c':
        if (isText) return false;
        out += Pad(c, std::wstring(1, static_cast<wchar_t>(argument.GetInteger())));
        return true;
    case L'd': case L'i': case L'u': case L'x': case L'X': case L'o':
        if (isText) return false;
        out += FormatInteger(c, argument);
        return true;
    default:
        return false;
    }
}

}  // namespace

std::wstring FormatText(const wchar_t* format, const FormatArgument* arguments, int count) {
    std::wstring out;
    if (format == nullptr) return out;
    int next = 0;
    const wchar_t* p = format;
    while (*p != 0) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        if (p[1] == L'%') {
            out += L'%';
            p += 2;
            continue;
        }
        Conversion conversion;
        const wchar_t* end = ParseConversion(p + 1, conversion);
        if (end == nullptr) {
            out += p;  // a conversion cut off by the end of the format
            break;
        }
        if (next >= count || !FormatOne(conversion, arguments[next], out)) {
            out.append(p, end);
        }
        if (next < count) ++next;
        p = end;
    }
    return out;
}
