// Fuzzes the base64 decoder and the reader of the publisher's key with the same text.
#include "common/util/Base64.h"
#include "common/util/version/UpdatePublicKey.h"

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The one base64 text of bytes, padded.
std::wstring Encoded(const std::vector<uint8_t>& bytes) {
    std::wstring text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = bytes[i] << 16;
        if (i + 1 < bytes.size()) group |= bytes[i + 1] << 8;
        if (i + 2 < bytes.size()) group |= bytes[i + 2];
        for (size_t k = 0; k < 4; ++k) {
            text += i + k <= bytes.size() ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One byte a character, so that every character of ASCII and Latin-1 can occur; a
    // zero byte ends the text, as it would end a key or a reply's text.
    std::wstring text(data, data + size);
    std::vector<uint8_t> bytes(1, 0);
    if (util::DecodeBase64(text.c_str(), bytes)) {
        // Strict: the text accepted is the one encoding of its bytes, whitespace aside.
        std::wstring significant;
        for (const wchar_t* c = text.c_str(); *c != 0; ++c) {
            if (std::wcschr(L" \t\n\v\f\r", *c) == nullptr) significant += *c;
        }
        if (significant != Encoded(bytes)) __builtin_trap();
    } else if (!bytes.empty()) {
        __builtin_trap();
    }
    util::version::UpdatePublicKey key;
    if (key.Read(text.c_str()) == key.IsEmpty()) __builtin_trap();
    return 0;
}
