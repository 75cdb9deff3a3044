// Base64: strict decoding of base64 text.
#include "Base64.h"

namespace util {

namespace {

const int kNotInAlphabet = -1;

// The six bits a character stands for, or kNotInAlphabet.
int SextetOf(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return c - L'A';
    if (c >= L'a' && c <= L'z') return c - L'a' + 26;
    if (c >= L'0' && c <= L'9') return c - L'0' + 52;
    if (c == L'+') return 62;
    if (c == L'/') return 63;
    return kNotInAlphabet;
}

bool IsAsciiWhitespace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f';
}

bool Fail(std::vector<uint8_t>& out) {
    out.clear();
    return false;
}

}  // namespace

bool DecodeBase64(const wchar_t* text, std::vector<uint8_t>& out) {
    out.clear();
    if (text == nullptr) return false;
    uint32_t group = 0;   // the 24 bits of the current group of four characters
    int inGroup = 0;      // its characters read so far
    int padding = 0;      // its '=' read so far
    bool ended = false;   // a padded group ends the data
    for (const wchar_t* c = text; *c != 0; ++c) {
        if (IsAsciiWhitespace(*c)) continue;
        if (ended) return Fail(out);
        int sextet = 0;
        if (*c == L'=') {
            // Padding takes the place of a group's third and fourth characters only.
            if (inGroup < 2) return Fail(out);
            ++padding;
        } else {
            sextet = SextetOf(*c);
            if (sextet == kNotInAlphabet || padding > 0) return Fail(out);
        }
        group = (group << 6) | static_cast<uint32_t>(sextet);
        if (++inGroup < 4) continue;
        // Each '=' leaves one byte less; the bits of the bytes left out must be 0.
        if ((group & ((1u << (8 * padding)) - 1)) != 0) return Fail(out);
        for (int i = 0; i < 3 - padding; ++i) out.push_back(static_cast<uint8_t>(group >> (16 - 8 * i)));
        ended = padding > 0;
        group = 0;
        inGroup = 0;
    }
    if (inGroup != 0) return Fail(out);
    return true;
}

}  // namespace util
