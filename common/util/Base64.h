// Base64: strict decoding of base64 text.
#pragma once

#include <cstdint>
#include <vector>

namespace util {

// Decodes text in the standard alphabet (A-Z a-z 0-9 + /) with '=' padding to a
// multiple of four characters, such as the update service's signatures and the
// publisher's key. ASCII whitespace anywhere is skipped, since services wrap long
// lines. True with the bytes in out; false, with out empty, for null text, any other
// character, missing or misplaced padding, and set bits in the unused low bits of
// the last character (another text for the same bytes). Empty text decodes to nothing.
bool DecodeBase64(const wchar_t* text, std::vector<uint8_t>& out);

}  // namespace util
