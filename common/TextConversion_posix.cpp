// TextConversion: UTF-8 conversions for systems whose narrow code page is UTF-8.
#include "TextConversion.h"

namespace {

const char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at text; advances text past what it consumed.
char32_t DecodeOne(const unsigned char*& text) {
    unsigned char lead = *text++;
    if (lead < 0x80) return lead;
    int extra;
    char32_t code;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) { extra = 1; code = lead & 0x1F; minimum = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; code = lead & 0x0F; minimum = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; code = lead & 0x07; minimum = 0x10000; }
    else return kReplacement;
    for (int i = 0; i < extra; ++i) {
        if (!IsContinuation(*text)) return kReplacement;  // the terminator stops here too
        code = (code << 6) | (*text++ & 0x3F);
    }
    bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate) return kReplacement;
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace

std::wstring AnsiToWide(const char* text) {
    std::wstring wide;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        wide += static_cast<wchar_t>(DecodeOne(p));
    }
    return wide;
}

std::string WideToUtf8(const wchar_t* text, size_t length) {
    std::string out;
    for (size_t i = 0; i < length; ++i) {
        char32_t code = static_cast<char32_t>(text[i]);
        bool high = code >= 0xD800 && code <= 0xDBFF;
        bool low = code >= 0xDC00 && code <= 0xDFFF;
        if (high && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        } else if (high || low || code > 0x10FFFF) {
            code = kReplacement;
        }
        AppendUtf8(out, code);
    }
    return out;
}
